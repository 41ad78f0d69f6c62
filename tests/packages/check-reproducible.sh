#!/usr/bin/env bash
# Builds Kobal's Debian packages a second time, from a copy of the tree in another folder, and
# checks that every .deb is byte for byte the one of the first build. dpkg-buildpackage sets
# SOURCE_DATE_EPOCH from debian/changelog for both.
# Usage: tests/packages/check-reproducible.sh [first build's folder]   (default: build/debs; built first
# with tools/build-debs.sh when it holds no packages)
set -euo pipefail
cd "$(dirname "$0")/../.."
first=$(realpath -m "${1:-build/debs}")
# Another folder, at another depth, so that no path of the build can stay the same.
second=$(realpath -m build/reproducible/second-build-elsewhere)

compgen -G "$first/*.deb" > /dev/null || bash tools/build-debs.sh "$first"
bash tools/build-debs.sh "$second"

different=0
for deb in "$first"/*.deb; do
  name=$(basename "$deb")
  if [ ! -f "$second/$name" ]; then
    echo "only in the first build: $name"
    different=1
  elif cmp -s "$deb" "$second/$name"; then
    echo "identical: $name"
  else
    echo "DIFFERENT: $name (compare: diffoscope $deb $second/$name)"
    different=1
  fi
done
[ "$(ls "$second"/*.deb | wc -l)" -eq "$(ls "$first"/*.deb | wc -l)" ] || different=1
[ $different -eq 0 ] || { echo "the two builds differ" >&2; exit 1; }
echo "reproducible: both builds gave the same packages"
