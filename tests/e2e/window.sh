#!/usr/bin/env bash
# Starts the program on a 1024x768 virtual screen, checks the window's size and place, presses
# the start button and checks that the countdown shows on screen. Screenshots stay in $2.
set -euo pipefail
binary=$1
artefacts=$2
mkdir -p "$artefacts"
for tool in Xvfb xdotool import compare; do
  command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
done

fail() { echo "FAIL: $*"; exit 1; }

displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
xvfb=$!
app=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -f "$displayfile"
}
trap cleanup EXIT
for _ in $(seq 50); do [ -s "$displayfile" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$displayfile")"
unset QT_QPA_PLATFORM

"$binary" &
app=$!
wid=""
for _ in $(seq 100); do
  wid=$(xdotool search --onlyvisible --name '^Zorvane V1\.1 $' 2>/dev/null | head -n1 || true)
  [ -n "$wid" ] && break
  sleep 0.1
done
[ -n "$wid" ] || fail "no window titled 'Zorvane V1.1 '"
sleep 0.5

eval "$(xdotool getwindowgeometry --shell "$wid")"
echo "window at $X,$Y size ${WIDTH}x$HEIGHT"
[ "$WIDTH" = 640 ] && [ "$HEIGHT" = 434 ] || fail "window is ${WIDTH}x$HEIGHT, not 640x434"
[ "$X" = 192 ] && [ "$Y" = 167 ] || fail "window at $X,$Y, not centred at 192,167"

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

# A figure page for the eye (and for the README): pick question 9 by its tab and answer b.
xdotool mousemove --window "$wid" 87 18 click 1
sleep 0.5
xdotool mousemove --window "$wid" 150 252 click 1
sleep 0.7
import -window "$wid" "$artefacts/window.png"
kill -0 "$app" 2>/dev/null || fail "the program exited"
echo "PASS"
