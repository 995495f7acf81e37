// Starts a program and watches its first window from outside, through the X server: no stamp,
// no variable and no code inside the program plays a part. On the display in DISPLAY:
//
//   frame_watch [-d | -q] program [argument ...]
//
// writes, one line each, with times in microseconds since the spawn:
//   spawned <pid>
//   mapped <µs> <width>x<height>    the first top-level window the program maps
//   first-frame <µs> <cpu µs> <faults>
//                                   drawing into it has covered a tenth of its area; by then the
//                                   program had run so long on a CPU and taken so many page faults
//   damage <µs> <x> <y> <w> <h>     with -d: every later drawing into the window
// With -q the program is ended at its first frame, for profiles of the start alone.
//   exited <status>
// and ends when the program ends. Signal the program, not the watcher, to stop both.
#define _GNU_SOURCE
#include <dirent.h>
#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

extern char** environ;

static long long now_us(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000000LL + t.tv_nsec / 1000;
}

// Time on a CPU of every thread of a process so far, in microseconds.
static long long cpu_us(pid_t pid) {
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/task", (int)pid);
    DIR* tasks = opendir(path);
    long long ns = 0;
    for (struct dirent* task; tasks && (task = readdir(tasks));) {
        if (task->d_name[0] == '.')
            continue;
        char file[320];
        snprintf(file, sizeof file, "/proc/%d/task/%s/schedstat", (int)pid, task->d_name);
        FILE* f = fopen(file, "r");
        long long run = 0;
        if (f && fscanf(f, "%lld", &run) == 1)
            ns += run;
        if (f)
            fclose(f);
    }
    if (tasks)
        closedir(tasks);
    return ns / 1000;
}

// Minor and major page faults of a process so far.
static long long faults(pid_t pid) {
    char path[64], buffer[1024];
    snprintf(path, sizeof path, "/proc/%d/stat", (int)pid);
    FILE* f = fopen(path, "r");
    if (!f)
        return -1;
    const size_t n = fread(buffer, 1, sizeof buffer - 1, f);
    fclose(f);
    buffer[n] = 0;
    const char* p = strrchr(buffer, ')'); // the name may hold blanks
    long long minor = 0, major = 0;
    if (!p || sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %lld %*u %lld", &minor, &major) != 2)
        return -1;
    return minor + major;
}

static void fail(const char* what) {
    fprintf(stderr, "frame_watch: %s\n", what);
    exit(2);
}

int main(int argc, char** argv) {
    int log_damage = 0, quit_at_frame = 0, first = 1;
    if (argc > 1 && strcmp(argv[1], "-d") == 0) {
        log_damage = 1;
        first = 2;
    } else if (argc > 1 && strcmp(argv[1], "-q") == 0) {
        quit_at_frame = 1;
        first = 2;
    }
    if (first >= argc)
        fail("usage: frame_watch [-d | -q] program [argument ...]");
    setvbuf(stdout, NULL, _IOLBF, 0);

    int screen_number = 0;
    xcb_connection_t* c = xcb_connect(NULL, &screen_number);
    if (xcb_connection_has_error(c))
        fail("cannot open the display");
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screen_number; ++i)
        xcb_screen_next(&screens);
    const xcb_window_t root = screens.data->root;

    const xcb_query_extension_reply_t* damage_ext = xcb_get_extension_data(c, &xcb_damage_id);
    if (!damage_ext || !damage_ext->present)
        fail("the X server has no DAMAGE extension");
    free(xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), NULL));
    const uint8_t damage_notify = damage_ext->first_event + XCB_DAMAGE_NOTIFY;

    // Top-level windows are children of the root: their MapNotify reaches a root listener. A
    // damage object on the root sees drawing into every window on it. One made for a window
    // already shown would report the whole window at once, painted or not: this one reports the
    // root once, now, and that report is dropped before the program starts.
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    xcb_damage_create(c, xcb_generate_id(c), root, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), NULL));
    for (xcb_generic_event_t* stale; (stale = xcb_poll_for_queued_event(c));)
        free(stale);

    pid_t pid;
    const long long spawned = now_us();
    if (posix_spawnp(&pid, argv[first], NULL, NULL, argv + first, environ) != 0)
        fail("cannot start the program");
    printf("spawned %d\n", (int)pid);
    const int pidfd = (int)syscall(SYS_pidfd_open, pid, 0);
    if (pidfd < 0)
        fail("pidfd_open failed");

    xcb_window_t window = XCB_NONE;
    int left = 0, top = 0, width = 0, height = 0; // the window's box on the root
    unsigned char* covered = NULL; // one byte per pixel of the window, until the first frame
    long long covered_pixels = 0;
    int frame_seen = 0;
    struct pollfd fds[2] = {{xcb_get_file_descriptor(c), POLLIN, 0}, {pidfd, POLLIN, 0}};
    for (;;) {
        xcb_generic_event_t* event;
        while ((event = xcb_poll_for_event(c))) {
            const uint8_t type = event->response_type & 0x7f;
            if (type == XCB_MAP_NOTIFY && window == XCB_NONE) {
                const xcb_map_notify_event_t* map = (const xcb_map_notify_event_t*)event;
                if (!map->override_redirect) {
                    const long long mapped = now_us() - spawned;
                    window = map->window;
                    xcb_get_geometry_reply_t* g =
                        xcb_get_geometry_reply(c, xcb_get_geometry(c, window), NULL);
                    if (!g)
                        fail("the window went away");
                    left = g->x + g->border_width;
                    top = g->y + g->border_width;
                    width = g->width;
                    height = g->height;
                    free(g);
                    covered = calloc((size_t)width * (size_t)height, 1);
                    if (!covered)
                        fail("out of memory");
                    printf("mapped %lld %dx%d\n", mapped, width, height);
                }
            } else if (type == damage_notify && window != XCB_NONE) {
                const xcb_damage_notify_event_t* d = (const xcb_damage_notify_event_t*)event;
                const long long at = now_us() - spawned;
                // The part of the root's damage that lies in the window, in window coordinates.
                const int x = d->area.x - left, y = d->area.y - top;
                const int x0 = x < 0 ? 0 : x, y0 = y < 0 ? 0 : y;
                const int x1 = x + d->area.width > width ? width : x + d->area.width;
                const int y1 = y + d->area.height > height ? height : y + d->area.height;
                if (x0 >= x1 || y0 >= y1) {
                    free(event);
                    continue;
                }
                if (!frame_seen) {
                    for (int y = y0; y < y1; ++y)
                        for (int x = x0; x < x1; ++x) {
                            unsigned char* p = covered + (size_t)y * width + x;
                            covered_pixels += !*p;
                            *p = 1;
                        }
                    if (covered_pixels * 10 >= (long long)width * height) {
                        frame_seen = 1;
                        free(covered);
                        covered = NULL;
                        printf("first-frame %lld %lld %lld\n", at, cpu_us(pid), faults(pid));
                        if (quit_at_frame)
                            kill(pid, SIGTERM);
                    }
                } else if (log_damage) {
                    printf("damage %lld %d %d %d %d\n", at, x0, y0, x1 - x0, y1 - y0);
                }
            }
            free(event);
        }
        if (xcb_connection_has_error(c))
            fail("lost the display");
        if (poll(fds, 2, -1) < 0 && errno != EINTR)
            fail("poll failed");
        if (fds[1].revents & POLLIN) {
            int status = 0;
            waitpid(pid, &status, 0);
            printf("exited %d\n", WIFEXITED(status) ? WEXITSTATUS(status)
                                                    : 128 + WTERMSIG(status));
            return 0;
        }
    }
}
