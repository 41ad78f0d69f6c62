# Sourced by the benchmarks that time a Windows build under Wine beside the Linux one, with the
# programs they need as arguments: checks that those are built, sets Wine up as the tests do,
# and makes the scratch folder $work, removed at exit.
for program in "$@"; do
  [ -x "$program" ] || { echo "$0: $program is missing; build it first" >&2; exit 1; }
done
export WINEPREFIX=${WINEPREFIX:-$PWD/$windows/wine} WINEDEBUG=-all \
       WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
