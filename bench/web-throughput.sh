#!/usr/bin/env bash
# The web page against kobal-lookup, side by side in one run: a file of the benchmark mix
# (100,000 numbers by default) classified by the page's batch view in headless chromium and by
# `kobal-lookup --input FILE`, median of RUNS each; then the page's files gzip-compressed.
# Usage: bench/web-throughput.sh [NATIVE_BUILD_DIR] [WASM_BUILD_DIR] [COUNT] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."

native=${1:-build/bench}
wasm=${2:-build/wasm}
count=${3:-100000}
runs=${4:-10}
ratio_goal=5
size_goal=$((150 * 1024))
tool=$native/cli/kobal-lookup
maker=$native/bench/kobal-bench-numbers
site=$wasm/web/site

for needed in "$tool" "$maker" "$site/index.html"; do
  if [ ! -e "$needed" ]; then
    echo "$0: $needed is missing; build it first:" >&2
    echo "  cmake --build $native --target kobal-lookup kobal-bench-numbers; cmake --build --preset wasm" >&2
    exit 1
  fi
done
if [ ! -d tests/web/node_modules/puppeteer-core ]; then
  echo "$0: the page's driver (puppeteer-core) is missing: run bash tools/install-deps.sh test" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$maker" "$count" >"$work/numbers.txt"
answered=$("$tool" --input "$work/numbers.txt" | wc -l)
[ "$answered" -eq "$count" ] || { echo "$0: kobal-lookup answered $answered of $count lines" >&2; exit 1; }

median() { tr ' ' '\n' | sort -g | awk '{t[NR] = $1} END {print NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2}'; }

# kobal-lookup: median wall-clock milliseconds, the process's start included; hyperfine when it is
# installed (it starts the program itself, so nothing else is timed), a timing loop otherwise.
if command -v hyperfine >/dev/null; then
  hyperfine --shell=none --warmup 1 --runs "$runs" --output=null --export-json "$work/native.json" \
    "$tool --input $work/numbers.txt" >/dev/null
  native_ms=$(python3 -c 'import json,sys; print(1000 * json.load(open(sys.argv[1]))["results"][0]["median"])' \
    "$work/native.json")
else
  native_times=()
  for _ in $(seq "$((runs + 1))"); do
    start=$(date +%s%N)
    "$tool" --input "$work/numbers.txt" >/dev/null
    end=$(date +%s%N)
    native_times+=("$(awk -v ns="$((end - start))" 'BEGIN {printf "%.3f", ns / 1e6}')")
  done
  native_ms=$(echo "${native_times[@]:1}" | median) # the first run warms the file cache
fi

page_ms=$(node bench/web-page-timing.mjs "$site" "$work/numbers.txt" "$runs" | median)

echo "$count numbers of the benchmark mix from one file, median of $runs runs:"
awk -v n="$native_ms" -v p="$page_ms" -v goal="$ratio_goal" 'BEGIN {
  printf "  kobal-lookup --input FILE  %8.1f ms\n", n
  printf "  the page (chromium)        %8.1f ms  (from choosing the file to the table shown)\n", p
  printf "  ratio page / kobal-lookup  %8.2f     (goal at most %d: %s)\n", p / n, goal, (p / n <= goal ? "met" : "MISSED")
}'

echo "the page's files, each gzip-compressed (-9):"
total=0
while IFS= read -r file; do
  size=$(gzip -9 -c "$site/$file" | wc -c)
  total=$((total + size))
  printf "  %8d  %s\n" "$size" "$file"
done < <(cd "$site" && find . -type f | sed 's|^\./||' | sort)
awk -v t="$total" -v goal="$size_goal" 'BEGIN {
  printf "  %8d  in all, %.1f KB  (goal at most %d KB: %s)\n", t, t / 1024, goal / 1024, (t <= goal ? "met" : "MISSED")
}'
