#!/usr/bin/env bash
# Renders the icon PNGs: 32x32 from kobal.svg, 16x16 from kobal-16.svg (needs librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32; do
  source=kobal.svg
  [ "$size" = 16 ] && source=kobal-16.svg  # drawn on the pixel grid
  rsvg-convert --width "$size" --height "$size" "$source" --output "kobal-$size.png"
done
