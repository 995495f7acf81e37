#!/usr/bin/env bash
# Starts the program on a 1024x768 virtual screen, checks the window's size and place, presses
# the start button and checks that the countdown shows on screen. Screenshots stay in $2.
#   window.sh BINARY ARTEFACTS          a bare X server: the client area is the whole window
#   window.sh BINARY ARTEFACTS WM       under openbox, xfwm4 or metacity (compositing off): the
#                                       frame fits the rule below, and the window manager's close
#                                       request ends the program with status 0
# xfwm4 keeps its settings on the session bus: run it under dbus-run-session.
set -euo pipefail
binary=$1
artefacts=$2
wm=${3:-}
mkdir -p "$artefacts"
for tool in Xvfb xdotool import compare ${wm:+$wm wmctrl xprop xwininfo}; do
  command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
done

fail() { echo "FAIL${wm:+ under $wm}: $*"; exit 1; }

displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
xvfb=$!
app=""
manager=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  [ -n "$manager" ] && kill "$manager" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -f "$displayfile"
}
trap cleanup EXIT
for _ in $(seq 50); do [ -s "$displayfile" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$displayfile")"
unset QT_QPA_PLATFORM

if [ -n "$wm" ]; then
  # Window managers keep settings and caches: only in the artefact folder.
  export HOME=$artefacts/home XDG_CONFIG_HOME=$artefacts/home/.config
  export XDG_CACHE_HOME=$artefacts/home/.cache GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
  mkdir -p "$HOME"
  case $wm in
    openbox) openbox --sm-disable ;;
    xfwm4) xfwm4 --compositor=off ;;
    metacity) metacity --sm-disable --no-composite ;;
    *) fail "unknown window manager" ;;
  esac >"$artefacts/$wm.log" 2>&1 &
  manager=$!
  for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done
  wmctrl -m >/dev/null 2>&1 || fail "the window manager did not start"
fi

"$binary" &
app=$!
wid=""
for _ in $(seq 100); do
  wid=$(xdotool search --onlyvisible --name '^Zorvane V1\.1 $' 2>/dev/null | head -n1 || true)
  [ -n "$wid" ] && break
  sleep 0.1
done
[ -n "$wid" ] || fail "no window titled 'Zorvane V1.1 '"

# The client area's place on the screen and its size, and the frame around it, once they stay
# the same for a moment: the program refits the window when the frame becomes known.
geometry() {
  xwininfo -id "$wid" | grep -E 'Absolute|Width|Height'
  [ -z "$wm" ] || xprop -id "$wid" _NET_FRAME_EXTENTS
}
info=""
for _ in $(seq 20); do
  sleep 0.3
  now=$(geometry)
  [ "$now" = "$info" ] && break
  info=$now
done
X=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
Y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
WIDTH=$(sed -n 's/^ *Width: *//p' <<<"$info")
HEIGHT=$(sed -n 's/^ *Height: *//p' <<<"$info")
echo "window at $X,$Y size ${WIDTH}x$HEIGHT"
if [ -z "$wm" ]; then
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

import -window root "$artefacts/before-start.png"
# The start button is at 32,328 (80x32) in the window.
xdotool mousemove --window "$wid" 72 344 click 1
sleep 1.6
import -window root "$artefacts/running.png"

# The remaining-time box (484,24 34x32 in the window) must now show another number, and the
# welcome label must have gone from page 0.
crop() { convert "$1" -crop "$2" +repage "$3"; }
crop "$artefacts/before-start.png" "34x32+$((X + 484))+$((Y + 24))" "$artefacts/time-before.png"
crop "$artefacts/running.png" "34x32+$((X + 484))+$((Y + 24))" "$artefacts/time-after.png"
changed=$(compare -metric AE "$artefacts/time-before.png" "$artefacts/time-after.png" null: 2>&1 || true)
echo "remaining-time box: $changed pixels changed"
[ "${changed%% *}" -gt 20 ] 2>/dev/null || fail "the countdown did not change the remaining-time box"
kill -0 "$app" 2>/dev/null || fail "the program exited"

if [ -n "$wm" ]; then
  # The window manager's close request ends the run like the close box.
  wmctrl -c 'Zorvane V1.1 '
  status=0
  for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$app" 2>/dev/null && fail "still running 10 s after the close request"
  wait "$app" || status=$?
  app=""
  [ $status = 0 ] || fail "exit status $status after the close request"
  echo "PASS"
  exit 0
fi

# A figure page for the eye (and for the README): pick question 9 by its tab and answer b.
xdotool mousemove --window "$wid" 87 18 click 1
sleep 0.5
xdotool mousemove --window "$wid" 150 252 click 1
sleep 0.7
import -window "$wid" "$artefacts/window.png"
kill -0 "$app" 2>/dev/null || fail "the program exited"
echo "PASS"
