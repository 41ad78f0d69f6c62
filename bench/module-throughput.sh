#!/usr/bin/env bash
# The kobal module's batch calls (lookupMany, detectCarrierMany, parseMany) in Node beside kobal-lookup on
# the benchmark mix, CPU time, taking turns; see module-throughput.mjs.
# Usage: bench/module-throughput.sh [NATIVE_BUILD_DIR] [WASM_BUILD_DIR] [COUNT] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."

native=${1:-build/bench}
wasm=${2:-build/wasm}
count=${3:-1000000}
runs=${4:-10}
tool=$native/cli/kobal-lookup
maker=$native/bench/kobal-bench-numbers
module=$wasm/web/module/kobal.js

for needed in "$tool" "$maker" "$module"; do
  if [ ! -e "$needed" ]; then
    echo "$0: $needed is missing; build it first:" >&2
    echo "  cmake --build $native --target kobal-lookup kobal-bench-numbers; cmake --build --preset wasm" >&2
    exit 1
  fi
done
command -v perf >/dev/null || { echo "$0: perf is missing (apt-get install linux-perf)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$maker" "$count" >"$work/numbers.txt"
node bench/module-throughput.mjs "$module" "$tool" "$work/numbers.txt" "$runs"
