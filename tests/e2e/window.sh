#!/usr/bin/env bash
# Starts the program on a 1024x768 virtual screen, checks the window's size and place, presses
# the start button and checks that the countdown shows on screen; on a bare server, ends that
# test and starts the next with the keyboard alone. Screenshots stay in $2.
#   window.sh BINARY ARTEFACTS [QT OPTION...]
#                                       a bare X server: the client area is the whole window; Qt's
#                                       own options go to the program, past its command line
#   window.sh BINARY ARTEFACTS WM       under openbox, xfwm4 or metacity (compositing off): the
#                                       frame fits the rule below, and the window manager's close
#                                       request ends the program with status 0
#   window.sh BINARY ARTEFACTS weston   on Wayland, under weston in the X server: 640x434, only a
#                                       close box in its title bar and the help box's, moved by a
#                                       drag of the title bar, and its close box ends the program
#                                       with status 0. Exits 77 (skipped) if weston cannot start.
# xfwm4 keeps its settings on the session bus: run it under dbus-run-session.
set -euo pipefail
binary=$1
artefacts=$2
shift 2
wm=""
case ${1:-} in -* | "") ;; *) wm=$1 && shift ;; esac
mkdir -p "$artefacts"
[ "${wm:-weston}" = weston ] || needs="wmctrl xprop xwininfo"
for tool in Xvfb xdotool import compare $wm ${needs:-}; do
  command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
done

fail() { echo "FAIL${wm:+ under $wm}: $*"; exit 1; }

displayfile=$(mktemp)
runtime=$(mktemp -d)
# Weston's screen is the top left 1024x768: weston sees the pointer once it came in from outside.
size=1024x768 && [ "$wm" = weston ] && size=1280x1024
Xvfb -displayfd 3 -screen 0 ${size}x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
xvfb=$!
app=""
manager=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  [ -n "$manager" ] && kill "$manager" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  # Gone before the next test starts its server: a dying one still holds its display's socket.
  wait 2>/dev/null || true
  rm -rf "$displayfile" "$runtime"
}
shot() { import -window root "$1"; }
# Weston draws its own pointer where it last saw the X pointer: keep it in a corner.
park() { xdotool mousemove 1100 900 mousemove 1023 767; }
# Left of the close box, the title bar that ends at $1,$2 is one colour: no other button.
one_button() {
  [ "$(convert "$artefacts/screen.png" -crop "96x22+$(($1 - 118))+$2" -unique-colors \
    -format %w info:)" = 1 ] || fail "$3 has more than a close box in its title bar"
}
trap cleanup EXIT
for _ in $(seq 50); do [ -s "$displayfile" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$displayfile")"
unset QT_QPA_PLATFORM
[ "$wm" != weston ] ||
  export XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=zorvane QT_QPA_PLATFORM=wayland

if [ -n "$wm" ]; then
  # Window managers keep settings and caches: only in the artefact folder.
  export HOME=$artefacts/home XDG_CONFIG_HOME=$artefacts/home/.config
  export XDG_CACHE_HOME=$artefacts/home/.cache GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
  mkdir -p "$HOME"
  case $wm in
    openbox) openbox --sm-disable ;;
    xfwm4) xfwm4 --compositor=off ;;
    metacity) metacity --sm-disable --no-composite ;;
    weston) # a plain background, no panel and no on-screen keyboard: what differs from it is
      # the window
      printf '%s\n' '[shell]' background-color=0xff336699 panel-position=none locking=false \
        animation=none '[input-method]' path= >"$artefacts/weston.ini"
      exec weston --backend=x11-backend.so --use-pixman --width=1024 --height=768 \
        --socket=zorvane --config="$artefacts/weston.ini" ;;
    *) fail "unknown window manager" ;;
  esac >"$artefacts/$wm.log" 2>&1 &
  manager=$!
  ready() {
    [ "$wm" != weston ] && { wmctrl -m >/dev/null 2>&1; return; }
    [ -S "$runtime/zorvane" ] && park && sleep 0.2 && shot "$artefacts/desktop.png" &&
      [ "$(convert "$artefacts/desktop.png" -format '%[pixel:p{9,9}]' info:)" = 'srgb(51,102,153)' ]
  }
  for _ in $(seq 100); do kill -0 "$manager" 2>/dev/null && ! ready || break; sleep 0.1; done
  [ "$wm" != weston ] || [ -S "$runtime/zorvane" ] ||
    { echo "SKIP: weston cannot start here: $(tail -n 3 "$artefacts/weston.log")"; exit 77; }
  ready || fail "the window manager did not start"
fi

"$binary" "$@" &
app=$!
wid=""
for _ in $(seq 100); do
  [ "$wm" = weston ] && wid=none && break # no X window: it is found on the screen below
  wid=$(xdotool search --onlyvisible --name '^Zorvane V1\.1 $' 2>/dev/null | head -n1 || true)
  [ -n "$wid" ] && break
  sleep 0.1
done
[ -n "$wid" ] || fail "no window titled 'Zorvane V1.1 '"

# The client area's place on the screen and its size, and the frame around it, once they stay
# the same for a moment: the program refits the window when the frame becomes known.
geometry() {
  if [ "$wm" = weston ]; then # the box WxH+X+Y where the screen differs from the empty desktop
    shot "$artefacts/screen.png"
    convert "$artefacts/desktop.png" "$artefacts/screen.png" -compose difference -composite \
      -threshold 0 -format %@ info: 2>/dev/null
    return
  fi
  xwininfo -id "$wid" | grep -E 'Absolute|Width|Height'
  [ -z "$wm" ] || xprop -id "$wid" _NET_FRAME_EXTENTS
}
info=""
for _ in $(seq 20); do
  sleep 0.3
  now=$(geometry)
  [ "$now" = "$info" ] && [ "${now#0x}" = "$now" ] && break
  info=$now
done
X=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
Y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
WIDTH=$(sed -n 's/^ *Width: *//p' <<<"$info")
HEIGHT=$(sed -n 's/^ *Height: *//p' <<<"$info")
[ "$wm" != weston ] || IFS='x+' read -r WIDTH HEIGHT X Y <<<"$info"
echo "window at $X,$Y size ${WIDTH}x$HEIGHT"
if [ "$wm" = weston ]; then
  [ "$WIDTH" = 640 ] && [ "$HEIGHT" = 434 ] || fail "window is ${WIDTH}x$HEIGHT, not 640x434"
  convert "$artefacts/screen.png" -crop "640x434+$X+$Y" +repage "$artefacts/window.png"
  one_button $((X + 638)) $((Y + 1)) "the window"
  X=$((X + 1)) Y=$((Y + 25)) # the client area, inside the border and the title bar
elif [ -z "$wm" ]; then
  [ "$WIDTH" = 640 ] && [ "$HEIGHT" = 434 ] || fail "window is ${WIDTH}x$HEIGHT, not 640x434"
  [ "$X" = 192 ] && [ "$Y" = 167 ] || fail "window at $X,$Y, not centred at 192,167"
else
  # The outer size stays 640x434 where the client area keeps at least 628x396 (every control
  # with a margin); a thicker frame makes the window larger outside instead.
  extents=$(sed -n 's/^_NET_FRAME_EXTENTS(CARDINAL) = //p' <<<"$info" | tr -d ' ')
  IFS=, read -r left right top bottom <<<"$extents" || true
  [ -n "${bottom:-}" ] || fail "the window manager reports no _NET_FRAME_EXTENTS"
  want_w=$((640 - left - right)); [ $want_w -lt 628 ] && want_w=628
  want_h=$((434 - top - bottom)); [ $want_h -lt 396 ] && want_h=396
  outer_w=$((WIDTH + left + right))
  outer_h=$((HEIGHT + top + bottom))
  echo "frame $left/$right/$top/$bottom, outer ${outer_w}x$outer_h"
  [ "$WIDTH" = $want_w ] && [ "$HEIGHT" = $want_h ] ||
    fail "client area ${WIDTH}x$HEIGHT, not ${want_w}x$want_h"
  [ $((X - left)) = $(((1024 - outer_w) / 2)) ] && [ $((Y - top)) = $(((768 - outer_h) / 2)) ] ||
    fail "frame at $((X - left)),$((Y - top)), not centred"
fi

shot "$artefacts/before-start.png"
# The start button is at 32,328 (80x32) in the window.
xdotool mousemove $((X + 72)) $((Y + 344)) click 1
sleep 1.6
shot "$artefacts/running.png"

# The remaining-time box (484,24 34x32 in the window) must now show another number, and the
# welcome label must have gone from page 0.
crop() { convert "$1" -crop "$2" +repage "$3"; }
crop "$artefacts/before-start.png" "34x32+$((X + 484))+$((Y + 24))" "$artefacts/time-before.png"
crop "$artefacts/running.png" "34x32+$((X + 484))+$((Y + 24))" "$artefacts/time-after.png"
changed=$(compare -metric AE "$artefacts/time-before.png" "$artefacts/time-after.png" null: 2>&1 || true)
echo "remaining-time box: $changed pixels changed"
[ "${changed%% *}" -gt 20 ] 2>/dev/null || fail "the countdown did not change the remaining-time box"
kill -0 "$app" 2>/dev/null || fail "the program exited"

if [ "$wm" = weston ]; then
  # A drag of the title bar moves the window as far, towards the middle of the screen.
  dx=$((X > 192 ? -60 : 60)) dy=$((Y > 192 ? -50 : 50))
  xdotool mousemove $((X + 200)) $((Y - 12)) mousedown 1 sleep 0.2 \
    mousemove $((X + 200 + dx)) $((Y - 12 + dy)) sleep 0.2 mouseup 1
  park && sleep 0.5
  X=$((X - 1 + dx)) Y=$((Y - 25 + dy)) got=$(geometry)
  [ "$got" = "640x434+$X+$Y" ] || fail "dragged by $dx,$dy: the window is at $got, not $X,$Y"
  # Weston resizes a window on Super and a right-button drag: a fixed size holds it.
  xdotool keydown super mousemove $((X + 600)) $((Y + 400)) mousedown 3 sleep 0.2 \
    mousemove $((X + 450)) $((Y + 300)) sleep 0.2 mousemove $((X + 400)) $((Y + 250)) sleep 0.2 \
    mouseup 3 keyup super
  park && sleep 0.5
  got=$(geometry)
  [ "$got" = "640x434+$X+$Y" ] || fail "a resize drag left the window at $got, not 640x434"
  # The help button is at 512,328 (80x32) in the window; its box's title bar is where the active
  # bar's colour shows. A close box's middle is 12 px in from its bar's top right. A box left
  # open would block the window's close box.
  blue=$(convert "$artefacts/screen.png" -format "%[pixel:p{$((X + 300)),$((Y + 12))}]" info:)
  xdotool mousemove $((X + 553)) $((Y + 369)) click 1 sleep 1
  shot "$artefacts/screen.png"
  IFS='x+' read -r width _ left top <<<"$(convert "$artefacts/screen.png" -fill black \
    +opaque "$blue" -format %@ info: 2>/dev/null)"
  one_button $((left + width)) "$top" "the help box"
  xdotool mousemove $((left + width - 12)) $((top + 12)) click 1 sleep 0.5
  xdotool mousemove $((X + 627)) $((Y + 13)) click 1
elif [ -n "$wm" ]; then
  # The window manager's close request ends the run like the close box.
  wmctrl -c 'Zorvane V1.1 '
fi
if [ -n "$wm" ]; then
  status=0
  for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$app" 2>/dev/null && fail "still running 10 s after the close request"
  wait "$app" || status=$?
  app=""
  [ $status = 0 ] || fail "exit status $status after the close request"
  echo "PASS"
  exit 0
fi

# A figure page for the eye: pick question 9 by its tab and answer b.
xdotool mousemove --window "$wid" 87 18 click 1
sleep 0.5
xdotool mousemove --window "$wid" 150 252 click 1
sleep 0.7
import -window "$wid" "$artefacts/window.png"
kill -0 "$app" 2>/dev/null || fail "the program exited"
# The keyboard alone: Tab past the option row and the page buttons to the end button, Space, and
# Enter on the result box. The start button has the focus again: Space starts the next test.
xdotool key Tab Tab Tab space
timeout 5 xdotool search --sync --name '^测试成绩：$' >/dev/null || fail "Space on the end button showed no result"
xdotool key Return sleep 0.5 key space sleep 1.6
import -window root -crop "34x32+$((X + 484))+$((Y + 24))" "$artefacts/time-restarted.png"
changed=$(compare -metric AE "$artefacts/time-before.png" "$artefacts/time-restarted.png" null: 2>&1 || true)
[ "${changed%% *}" -gt 20 ] 2>/dev/null || fail "Space after Enter on the result box started no test"
echo "PASS"
