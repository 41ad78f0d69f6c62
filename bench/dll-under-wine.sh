#!/usr/bin/env bash
# DetectCarrier through KobalFnc.dll under Wine beside libKobalFnc.so on Linux, in one run: the
# same C program built for both, the same numbers (the benchmark mix), CPU time a call, and the
# ratio. Usage: bench/dll-under-wine.sh [NATIVE_BUILD [WINDOWS_BUILD [COUNT [ROUNDS]]]]
set -euo pipefail
native=${1:-build/ci}
windows=${2:-build/windows-x64}
count=${3:-1000000}
rounds=${4:-10}
source "$(dirname "$0")/wine-common.sh" "$native/bench/kobal-call-timing" \
  "$native/bench/kobal-bench-numbers" \
  "$windows/bin/kobal-call-timing.exe"
"$native/bench/kobal-bench-numbers" "$count" >"$work/mix.txt"
# Taking turns, three times each, so that a busy spell of the machine hits both.
for turn in 1 2 3; do
  "$native/bench/kobal-call-timing" "$work/mix.txt" "$rounds" >>"$work/linux"
  wine "$windows/bin/kobal-call-timing.exe" "$(winepath -w "$work/mix.txt")" "$rounds" | tr -d '\r' >>"$work/wine"
done
linux=$(sort -n "$work/linux" | head -1 | cut -d' ' -f1)
dll=$(sort -n "$work/wine" | head -1 | cut -d' ' -f1)
echo "libKobalFnc.so on Linux:  $linux ns a call"
echo "KobalFnc.dll under Wine:  $dll ns a call"
awk -v a="$dll" -v b="$linux" 'BEGIN { printf "DLL / Linux: %.2fx\n", a / b }'
