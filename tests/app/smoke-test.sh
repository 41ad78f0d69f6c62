#!/usr/bin/env bash
# Starts the real Kobal on the X server of $DISPLAY, types a number as a user would, and checks
# that the program stays up, shows its window, answers the search, and ends on Esc.
# Usage: smoke-test.sh path/to/Kobal   (run under xvfb-run)
set -euo pipefail
program=$1
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT

"$program" &
pid=$!

window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Kobal$' | head -n 1)
[ -n "$window" ] || { echo "FAIL: no window named Kobal"; exit 1; }
sleep 1
kill -0 "$pid" || { echo "FAIL: Kobal ended by itself"; exit 1; }

# The window keeps its fixed size (roughly 139 x 37 dialog units plus the menu bar).
eval "$(xdotool getwindowgeometry --shell "$window")"
echo "window $window: ${WIDTH}x${HEIGHT}"
[ "$WIDTH" -ge 200 ] && [ "$WIDTH" -le 600 ] && [ "$HEIGHT" -ge 60 ] && [ "$HEIGHT" -le 250 ] ||
  { echo "FAIL: unexpected size"; exit 1; }

xdotool windowfocus --sync "$window"
# Real key presses (XTEST) into the focused window, as from a keyboard.
xdotool type --delay 40 0112012345
sleep 0.5
import -window "$window" "$work/before.png"
xdotool key Return
sleep 1
import -window "$window" "$work/after.png"
# The answer changes the picture: the program ran the search and painted its result.
changed=$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1 || true)
echo "pixels changed by the search: $changed"
[ "${changed%% *}" -gt 200 ] || { echo "FAIL: the window did not answer"; exit 1; }
kill -0 "$pid" || { echo "FAIL: Kobal ended during the search"; exit 1; }

xdotool key Escape
for _ in $(seq 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then echo "FAIL: Esc did not end Kobal"; exit 1; fi
wait "$pid"
status=$?
echo "Kobal ended with status $status"
[ "$status" -eq 0 ]
echo "1 passed, 0 failed"
