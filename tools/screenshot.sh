#!/usr/bin/env bash
# Takes a screenshot of the real Kobal window under Xvfb after a search, for the docs.
# Usage: tools/screenshot.sh [path/to/Kobal] [number]   (default: build/release/app/Kobal, 0112012345)
# Needs: xvfb, xdotool, imagemagick.
set -euo pipefail
cd "$(dirname "$0")/.."
out=docs/images/kobal-search.png

if [ "${1:-}" = "--inside-xvfb" ]; then
  program=$2 number=$3
  "$program" &
  pid=$!
  window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Kobal$' | head -n 1)
  xdotool windowfocus --sync "$window"
  xdotool type --delay 40 "$number"
  xdotool key Return
  sleep 1
  import -window "$window" "$out"
  xdotool key Escape
  wait "$pid"
  exit 0
fi

program=${1:-build/release/app/Kobal}
number=${2:-0112012345}
[ -x "$program" ] || { echo "no program at $program: build it first (bash tools/run.sh)" >&2; exit 1; }
xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --inside-xvfb "$program" "$number"
echo "wrote $out"
