#!/usr/bin/env bash
# Builds Kobal and starts the window program. Installs what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh run
cmake --preset release -DKOBAL_BUILD_TESTS=OFF
cmake --build --preset release -j "$(nproc)"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
  echo "Built, but there is no display to show the Kobal window on (DISPLAY is not set): run it in a virtual one with  xvfb-run -a bash tools/run.sh" >&2
  exit 1
fi
# Started beside the help page, so that F1 finds kobal.hlp in the working directory.
cd docs/help && exec ../../build/release/app/Kobal "$@"
