#!/usr/bin/env bash
# Builds Kobal's Debian packages with dpkg-buildpackage from a copy of the source tree, so that
# neither the checkout nor its build/ folders take part in the build or receive its output.
# Usage: tools/build-debs.sh [output folder]   (default: build/debs)
# The .deb, .changes and .buildinfo files land in the output folder; the copy of the tree is
# in its src/ subfolder. Needs: bash tools/install-deps.sh package.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/debs}")
source=$out/src/kobal

rm -rf "$out"
mkdir -p "$source"
# The files git knows of, committed or not, as they are in the working tree; ignored ones
# (build folders, caches) stay behind. Outside a git checkout: everything but build/.
if git rev-parse --is-inside-work-tree > /dev/null 2>&1; then
  git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' path; do [ -e "$path" ] || [ -L "$path" ] && printf '%s\0' "$path"; done
else
  find . -path ./build -prune -o -path ./.git -prune -o \( -type f -o -type l \) -print0
fi | tar --null --files-from=- --create --file=- | tar --extract --file=- --directory="$source"

echo "building the packages in $source (log: $out/build.log)"
(cd "$source" && dpkg-buildpackage -us -uc -b) > "$out/build.log" 2>&1 ||
  { tail -n 40 "$out/build.log"; echo "dpkg-buildpackage failed: see $out/build.log" >&2; exit 1; }
mv "$out"/src/*.deb "$out"/src/*.changes "$out"/src/*.buildinfo "$out"/
ls -1 "$out"/*.deb
