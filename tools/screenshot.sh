#!/usr/bin/env bash
# Takes a screenshot of the real Kobal window after a search, title bar and frame included, under
# Xvfb with the openbox window manager, for the docs.
# Usage: tools/screenshot.sh [path/to/Kobal] [number]   (default: build/release/app/Kobal, 0112012345)
# Needs: xvfb, openbox, x11-utils, xdotool, imagemagick.
set -euo pipefail
cd "$(dirname "$0")/.."
out=docs/images/kobal-search.png

if [ "${1:-}" = "--inside-xvfb" ]; then
  program=$2 number=$3
  openbox >/dev/null 2>&1 &
  wm=$!
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
  "$program" &
  pid=$!
  window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Kobal$' | head -n 1)
  sleep 1  # framed and placed by the window manager
  xdotool windowfocus --sync "$window"
  xdotool type --delay 40 "$number"
  xdotool key Return
  sleep 1
  import -frame -window "$window" "$out"
  xdotool key Escape
  wait "$pid"
  kill "$wm"
  exit 0
fi

program=$(realpath "${1:-build/release/app/Kobal}")
number=${2:-0112012345}
[ -x "$program" ] || { echo "no program at $program: build it first (bash tools/run.sh)" >&2; exit 1; }
xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --inside-xvfb "$program" "$number"
echo "wrote $out"
