#!/usr/bin/env bash
# Installs a build into a fresh prefix whose path holds a space, and checks that the installed
# desktop entry starts the installed program in the folder of its help page, and that the
# installed programs find the installed library; then into a second prefix, and builds and runs
# the plain C caller against it through pkg-config.
# Usage: check-prefix-install.sh <build folder> <source folder>
set -euo pipefail
build=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/Kobal prefix"
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" > "$work/install.log"

entry="$prefix/share/applications/kobal.desktop"
[ -f "$entry" ] || fail "no desktop entry at $entry"
exec_line=$(sed -n 's/^Exec=//p' "$entry")
path_line=$(sed -n 's/^Path=//p' "$entry")
echo "Exec=$exec_line"
echo "Path=$path_line"
# A program path with a space is one quoted argument.
[ "$exec_line" = "\"$prefix/bin/Kobal\"" ] || fail "Exec does not name the installed program"
[ -x "$prefix/bin/Kobal" ] || fail "no program at $prefix/bin/Kobal"
[ "$path_line" = "$prefix/share/kobal" ] || fail "Path is not the installed data folder"
cmp "$path_line/kobal.hlp" "$source/docs/help/index.html" || fail "no help page where Kobal starts"
[ -f "$prefix/share/mime/packages/kobal-help.xml" ] || fail "no MIME rule for kobal.hlp"
for page in Kobal kobal-lookup; do
  [ -f "$prefix/share/man/man1/$page.1" ] || fail "no man page $page.1"
done
if command -v desktop-file-validate > /dev/null; then desktop-file-validate "$entry"; fi

# The installed tool loads the installed library through its runpath.
answer=$("$prefix/bin/kobal-lookup" 117)
[ "$answer" = $'117\t時報' ] || fail "installed kobal-lookup answered '$answer'"
lib=$(ldd "$prefix/bin/kobal-lookup" | sed -n 's/^\s*libKobalFnc[^ ]* => \(.*\) (0x[0-9a-f]*)$/\1/p')
case $lib in
  "$prefix"/*) echo "kobal-lookup loads $lib" ;;
  *) fail "installed kobal-lookup loads libKobalFnc from '$lib', not from the prefix" ;;
esac

# pkg-config hands out flags unquoted, so this prefix has no space.
devprefix="$work/dev-prefix"
cmake --install "$build" --prefix "$devprefix" > "$work/install-dev.log"
pc=$(find "$devprefix" -name kobalfnc.pc)
[ -n "$pc" ] || fail "no kobalfnc.pc under $devprefix"
export PKG_CONFIG_PATH=${pc%/*}
[ "$(pkg-config --variable=prefix kobalfnc)" = "$devprefix" ] || fail "kobalfnc.pc names another prefix"
# shellcheck disable=SC2046 # the flags are separate words
cc -o "$work/c-caller" "$source/tests/library/CCaller.c" $(pkg-config --cflags --libs kobalfnc) \
  -Wl,-rpath,"$(pkg-config --variable=libdir kobalfnc)"
"$work/c-caller" || fail "the C caller built against the installed library failed"
echo "2 passed, 0 failed"
