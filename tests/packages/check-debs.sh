#!/usr/bin/env bash
# Checks Kobal's built Debian packages against Debian's own tools: lintian (every tag down to
# pedantic shown, any error or warning fails), blhc on the build log and hardening-check on
# every ELF file of every package, desktop-file-validate and appstreamcli on the desktop files.
# Usage: tests/packages/check-debs.sh [folder with the .changes]   (default: build/debs)
set -euo pipefail
cd "$(dirname "$0")/../.."
out=$(realpath "${1:-build/debs}")
changes=$(ls "$out"/*.changes)

echo "-- lintian -I --pedantic $(basename "$changes")"
# lintian runs its checks the same as root, only noting that it would rather not.
lintian -I --pedantic --fail-on error,warning "$changes" 2> >(grep -v 'root privileges' >&2)

contents=$(mktemp -d)
trap 'rm -rf "$contents"' EXIT
for deb in "$out"/*.deb; do
  dpkg-deb --extract "$deb" "$contents/$(basename "$deb" .deb)"
done

elves=()
while IFS= read -r -d '' file; do
  head -c 4 "$file" | cmp -s - <(printf '\177ELF') && elves+=("$file")
done < <(find "$contents" -type f -print0 | sort -z)
# blhc: every compile and link line of the build carried Debian's hardening flags.
echo "-- blhc $(basename "$out")/build.log"
blhc "$out/build.log"

echo "-- hardening-check on ${#elves[@]} ELF files"
[ ${#elves[@]} -gt 0 ] || { echo "no ELF file in the packages" >&2; exit 1; }
for elf in "${elves[@]}"; do
  skip=()
  # Split debug info keeps only an empty placeholder of the dynamic section, so it cannot show
  # the immediate binding that its program's own dynamic section holds.
  case $elf in */usr/lib/debug/*) skip+=(--nobindnow) ;; esac
  # The Python module's and the SQLite extension's only calls to the fortifiable functions are
  # the standard library's copies into heap buffers, whose sizes no compiler knows, so none can
  # become a checked call; blhc has shown that they were compiled with _FORTIFY_SOURCE.
  case $elf in */python3-kobal* | */sqlite3-kobal*) skip+=(--nofortify) ;; esac
  # So with the PostgreSQL module's: copies into the server's buffers of sizes known at run time.
  case $elf in */postgresql-15-kobal*) skip+=(--nofortify) ;; esac
  # The library keeps no array on its stack (every answer is copied from the tables), so no
  # function of it gets a canary under -fstack-protector-strong, which blhc has shown it had.
  case $elf in */libkobalfnc0*) skip+=(--nostackprotector) ;; esac
  hardening-check "${skip[@]}" "$elf" | sed "s|$contents/||" ||
    { echo "hardening-check fails on ${elf#"$contents"/}" >&2; exit 1; }
done

echo "-- desktop-file-validate, appstreamcli validate"
desktop-file-validate "$contents"/kobal_*/usr/share/applications/kobal.desktop
appstreamcli validate --no-net --pedantic "$contents"/kobal_*/usr/share/metainfo/org.kobal.Kobal.metainfo.xml
echo "packages checked: no lintian error or warning, every program and library hardened"
