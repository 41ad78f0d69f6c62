#!/usr/bin/env bash
# Starts the real Kobal on the X server of $DISPLAY under a real window manager and uses it as a
# careful user would: the frame's place on the screen, a search, the menus from the keyboard
# followed by a new number, paste, and Esc to end it.
# Usage: smoke-test.sh path/to/Kobal [window manager command]   (run under xvfb-run; the
# window manager defaults to openbox)
set -euo pipefail
program=$(realpath "$1")
shift
[ $# -gt 0 ] || set -- openbox
work=$(mktemp -d)
pid="" wm=""
trap 'kill $pid $wm 2>/dev/null || true; rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

"$@" >"$work/wm.log" 2>&1 &
wm=$!
for _ in $(seq 200); do  # up to 20 s
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || { echo "FAIL: no window manager: $*"; exit 1; }

# Started where there is no kobal.hlp, so that the Contents command opens nothing.
(cd "$work" && exec "$program") &
pid=$!

window=$(timeout 20 xdotool search --sync --onlyvisible --name "^Kobal\$" | head -n 1 || true)
[ -n "$window" ] || { echo "FAIL: no window named Kobal"; exit 1; }
kill -0 "$pid" || { echo "FAIL: Kobal ended by itself"; exit 1; }

# Reads the client's place and size, the frame around it and the work area.
measure() {
  eval "$(xwininfo -id "$window" | awk -F: '
    /Absolute upper-left X/ {print "X=" $2+0} /Absolute upper-left Y/ {print "Y=" $2+0}
    /Width/ {print "WIDTH=" $2+0} /Height/ {print "HEIGHT=" $2+0}')"
  read -r left right top bottom _ < <(xprop -id "$window" _NET_FRAME_EXTENTS | tr -dc '0-9,\n' |
    tr ',' ' ')
  read -r areaX areaY areaW areaH _ < <(xprop -root _NET_WORKAREA | tr -dc '0-9,\n' | tr ',' ' ')
  frameX=$((X - ${left:-0})) frameY=$((Y - ${top:-0}))
  frameW=$((WIDTH + ${left:-0} + ${right:-0})) frameH=$((HEIGHT + ${top:-0} + ${bottom:-0}))
  # Twice the distance between the centres of the frame and of the work area.
  offX=$((2 * frameX + frameW - 2 * areaX - areaW)) offY=$((2 * frameY + frameH - 2 * areaY - areaH))
}
# The window manager frames the window after it appears; Kobal then centres it again.
for _ in $(seq 25); do
  measure
  [ "${top:-0}" -gt 0 ] && [ "${offX#-}" -le 2 ] && [ "${offY#-}" -le 2 ] && break
  sleep 0.2
done
echo "window $window: ${WIDTH}x${HEIGHT} at $X,$Y; frame ${frameW}x${frameH} at $frameX,$frameY" \
  "(extents ${left:-} ${right:-} ${top:-} ${bottom:-}); work area ${areaW}x${areaH} at $areaX,$areaY"
# The window keeps its fixed size (roughly 139 x 37 dialog units plus the menu bar).
[ "$WIDTH" -ge 200 ] && [ "$WIDTH" -le 600 ] && [ "$HEIGHT" -ge 60 ] && [ "$HEIGHT" -le 250 ] ||
  fail "unexpected size"
# The whole window, frame included, sits in the middle of the work area.
[ "${top:-0}" -gt 0 ] || fail "the window manager drew no title bar"
[ "${offX#-}" -le 2 ] && [ "${offY#-}" -le 2 ] ||
  fail "frame not centred: its centre is off by ($offX, $offY) half pixels"

# The lower part of the window: the result line, which never holds the caret here.
result_line() { import -window "$window" -gravity South -crop 100%x40%+0+0 +repage "$work/$1.png"; }
differing() { compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 || true; }
same() { [ "$(differing "$1" "$2")" = 0 ]; }
# Waits (up to 10 s, the machine may be busy) until the result line shows the same as, or
# something else than, a picture taken before; then until it shows the same twice in a row, so
# that the picture kept is not one of a paint half done.
result_becomes() {  # name same|other reference
  local deadline=$((SECONDS + 10))
  while :; do
    result_line "$1"
    if same "$1" "$3"; then [ "$2" = same ] && return 0; else [ "$2" = other ] && break; fi
    [ $SECONDS -lt $deadline ] || { echo "the result line still showed $(differing "$1" "$3") pixels other than $3"; return 1; }
    sleep 0.1
  done
  while :; do
    cp "$work/$1.png" "$work/$1-before.png"
    result_line "$1"
    same "$1" "$1-before" && return 0
    [ $SECONDS -lt $deadline ] || { echo "the result line kept changing"; return 1; }
  done
}
search() {
  xdotool type --delay 40 "$1"
  xdotool key Return
}

xdotool windowfocus --sync "$window"
# Real key presses (XTEST) into the focused window, as from a keyboard.
result_line empty
search 0112012345
result_becomes fixed-line other empty || fail "the window did not answer"
# The answer changes the picture: the program ran the search and painted its result.
echo "pixels changed by the search: $(differing empty fixed-line)"
windows_become() {  # count: visible windows named Kobal, the dialog and its About box
  for _ in $(seq 25); do
    [ "$(xdotool search --onlyvisible --name '^Kobal$' 2>/dev/null | wc -l)" -eq "$1" ] && return 0
    sleep 0.2
  done
  return 1
}
# Menu keys at a typist's pace: a menu opened by one key must be up before the next key comes.
keys() { xdotool key --delay 400 "$@"; }

# After a search the number is selected: a new number replaces it.
result_line start
search 117
result_becomes time-signal other start || fail "117 was not answered"
search 110
result_becomes police other time-signal || fail "110 typed after 117 was not answered"

# Each menu sequence ends with the number field focused and its number selected, so 117 typed
# next is a new number (not 110117, and not lost), and Esc still ends the program.
declare -A sequences=(
  [about]="alt+h Escape alt+h a"
  [contents]="alt+h Escape alt+h c"
  [abandoned]="alt+h Escape alt+h Escape Escape"
)
for name in about contents abandoned; do
  # shellcheck disable=SC2086
  keys ${sequences[$name]}
  if [ "$name" = about ]; then
    windows_become 2 || fail "about: Alt+H, A showed no About box"
    keys Return
    windows_become 1 || fail "about: Enter did not close the About box"
  fi
  kill -0 "$pid" || { echo "FAIL: Kobal ended during the $name sequence"; exit 1; }
  search 117
  result_becomes "after-$name" same time-signal ||
    fail "$name: 117 typed afterwards was not searched alone"
  search 110  # back to a selected 110 for the next sequence
  result_becomes police-again same police || fail "$name: 110 typed afterwards was not answered"
done

# Paste through the X clipboard: a written number becomes its digits; a text that is not one
# number leaves the field as it was.
clipboard() { printf '%s' "$1" | xclip -selection clipboard 2>/dev/null; }
search 09012345678
result_becomes mobile other police || fail "09012345678 was not answered"
search 110
result_becomes police-again same police || fail "110 typed after the mobile number was not answered"
clipboard "+81 90-1234-5678"
xdotool key ctrl+v Return
result_becomes pasted same mobile || fail "the pasted +81 90-1234-5678 did not search as 09012345678"
clipboard "あした電話します"
xdotool key ctrl+v Return
# The field read back through the clipboard: copied after the keys above, so handled after them.
xdotool key ctrl+a ctrl+c
copied=""
for _ in $(seq 100); do  # up to 10 s
  copied=$(xclip -o -selection clipboard 2>/dev/null || true)
  [ "$copied" != "あした電話します" ] && break
  sleep 0.1
done
[ "$copied" = 09012345678 ] || fail "a pasted text that is no number changed the number to '$copied'"
result_line pasted-text
same pasted-text mobile || fail "a pasted text that is no number changed the answer"

xdotool key Escape
for _ in $(seq 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  echo "FAIL: Esc did not end Kobal"
  exit 1
fi
status=0
wait "$pid" || status=$?
pid=""
echo "Kobal ended with status $status"
[ "$status" -eq 0 ] || fail "exit status $status"
[ "$failures" -eq 0 ] || { echo "$failures failed"; exit 1; }
echo "all passed"
