#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running or testing Kobal needs.
# Usage: tools/install-deps.sh run|test
set -euo pipefail

build=(cmake ninja-build g++ python3 pkg-config)
run=(qt6-base-dev libgl-dev fonts-ipafont-gothic xdg-utils qt6-translations-l10n)
test=(libgtest-dev libbenchmark-dev clang libclang-rt-14-dev xvfb xauth libphonenumber-dev
      qt6-base-dev libgl-dev fonts-ipafont-gothic qt6-translations-l10n dpkg-dev file xdotool
      imagemagick hyperfine clang-format openbox x11-utils xclip time emscripten nodejs chromium)

case "${1:-}" in
  run) packages=("${build[@]}" "${run[@]}") ;;
  test) packages=("${build[@]}" "${test[@]}") ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac
# npm comes with some builds of nodejs (NodeSource's provides and conflicts with Debian's npm).
if [ "$1" = test ] && ! command -v npm >/dev/null; then
  packages+=(npm)
fi

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
