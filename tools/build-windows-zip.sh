#!/usr/bin/env bash
# Cross-builds Kobal for Windows and packs kobal-<version>-windows-<arch>.zip: KobalFnc.dll,
# Kobal.exe and its help (kobal.chm), kobal-lookup.exe, the header, the import
# libraries and the .def, LICENSE, NOTICE and README.txt; and copies the MSI beside the zip. The
# zip is byte for byte the same from the same sources: the PE files carry no link time, the help
# no build time, and the zip's entries are sorted with the time of SOURCE_DATE_EPOCH (by default
# the last commit's).
# Usage: tools/build-windows-zip.sh x64|x86 [OUTPUT_DIR [BUILD_DIR]]
set -euo pipefail
cd "$(dirname "$0")/.."
arch=${1:-}
case "$arch" in
  x64|x86) ;;
  *) echo "usage: $0 x64|x86 [OUTPUT_DIR [BUILD_DIR]]" >&2; exit 2 ;;
esac
out=$(realpath -m "${2:-build/windows-zips}")
build=${3:-build/windows-$arch}

cmake --preset "windows-$arch" -B "$build" >/dev/null
cmake --build "$build" -j "$(nproc)"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage" cmake --install "$build" --prefix / >/dev/null

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name="kobal-$version-windows-$arch"
mkdir -p "$stage/$name/include/kobal" "$stage/$name/lib" "$out"
cp "$stage/bin/"*.dll "$stage/$name/"
cp "$stage/bin/kobal-lookup.exe" "$stage/bin/Kobal.exe" "$stage/$name/"
cp "$stage/bin/"*.chm "$stage/$name/"
cp "$stage/include/kobal/KobalFnc.h" "$stage/$name/include/kobal/"
cp "$stage/lib/libKobalFnc.dll.a" "$stage/lib/KobalFnc.lib" "$stage/lib/KobalFnc.def" "$stage/$name/lib/"
cp LICENSE NOTICE "$stage/$name/"
# Notepad and every Windows editor read UTF-8 with a byte order mark and CRLF line ends.
{ printf '\xef\xbb\xbf'; sed 's/$/\r/' packaging/windows/README.txt; } >"$stage/$name/README.txt"

export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}
python3 - "$stage" "$name" "$out/$name.zip" <<'PY'
import os, sys, time, zipfile
stage, name, target = sys.argv[1:]
stamp = time.gmtime(max(int(os.environ["SOURCE_DATE_EPOCH"]), 315532800))[:6]  # zip starts in 1980
paths = sorted(os.path.relpath(os.path.join(folder, file), stage)
               for folder, _, files in os.walk(os.path.join(stage, name)) for file in files)
with zipfile.ZipFile(target + ".part", "w") as archive:
    for path in paths:
        entry = zipfile.ZipInfo(path.replace(os.sep, "/"), stamp)
        entry.compress_type = zipfile.ZIP_DEFLATED
        entry.external_attr = 0o644 << 16
        with open(os.path.join(stage, path), "rb") as file:
            archive.writestr(entry, file.read(), compresslevel=9)
os.replace(target + ".part", target)
PY
# The installer built beside it (app/windows), where the window program is built.
cp "$build/$name.msi" "$out/" 2>/dev/null || true
echo "$out/$name.zip"
