// Leaks on purpose, so that the sanitizer run shows its leak checking is on: the test that runs
// this passes only when LeakSanitizer reports this very leak.
#include <QApplication>
#include <QWidget>

namespace {
int* volatile forgotten = nullptr;
}

int main(int argc, char** argv) {
    QApplication app(argc, argv); // the whole widget stack starts, so its own leaks show too
    QWidget window;
    window.show();
    QApplication::processEvents();
    forgotten = new int[64];
    forgotten = nullptr; // nothing points to it any more
    return 0;
}
