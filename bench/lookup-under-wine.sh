#!/usr/bin/env bash
# kobal-lookup.exe under Wine beside the Linux kobal-lookup, in one run: the same file of the
# benchmark mix (plain and hyphenated) to a file, CPU time by `perf stat -e task-clock` (every
# process and thread the command starts, Wine's own included), taking turns, the best of ROUNDS,
# and the ratio. The answers are compared too. Usage:
# bench/lookup-under-wine.sh [NATIVE_BUILD [WINDOWS_BUILD [COUNT [ROUNDS]]]]
set -euo pipefail
native=${1:-build/ci}
windows=${2:-build/windows-x64}
count=${3:-1000000}
rounds=${4:-3}
maker=${KOBAL_BENCH_NUMBERS:-$native/bench/kobal-bench-numbers}
source "$(dirname "$0")/wine-common.sh" "$native/cli/kobal-lookup" "$maker" \
  "$windows/bin/kobal-lookup.exe"
"$maker" "$count" >"$work/plain.txt"
"$maker" "$count" --hyphens >"$work/hyphens.txt"
wine "$windows/bin/kobal-lookup.exe" --version >/dev/null  # Wine started once before timing

cpu_ms() {  # the task-clock of a command, in milliseconds
  perf stat -x, -e task-clock -o "$work/stat" "$@" >/dev/null
  awk -F, '/task-clock/ { printf "%d\n", $1 }' "$work/stat"
}
for input in plain hyphens; do
  : >"$work/linux"; : >"$work/wine"
  for _ in $(seq "$rounds"); do
    cpu_ms sh -c "'$native/cli/kobal-lookup' --input '$work/$input.txt' >'$work/linux.out'" \
      >>"$work/linux"
    cpu_ms sh -c "wine '$windows/bin/kobal-lookup.exe' --input '$work/$input.txt' >'$work/wine.out'" \
      >>"$work/wine"
  done
  cmp -s "$work/linux.out" "$work/wine.out" || echo "$input: the answers differ!" >&2
  linux=$(sort -n "$work/linux" | head -1)
  wine=$(sort -n "$work/wine" | head -1)
  awk -v input="$input" -v a="$wine" -v b="$linux" \
    'BEGIN { printf "%s: Linux %d ms, Wine %d ms CPU; Wine / Linux %.2fx\n", input, b, a, a / b }'
done
