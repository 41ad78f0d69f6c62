#!/usr/bin/env bash
# Times kobal-lookup end to end: a file of one million numbers of the benchmark mix to /dev/null,
# plain and hyphenated, and prints numbers per second (median of the runs) against the goal;
# then --raw, the default and awk '{print $0 "\t"}' side by side on the plain file, with the
# ratios against their goals (--raw at least twice as fast as awk, the default within 1.3x of
# --raw).
# Usage: bench/lookup-throughput.sh [BUILD_DIR] [COUNT] [RUNS]
set -euo pipefail

build=${1:-build/bench}
count=${2:-1000000}
runs=${3:-10}
goal=2000000
tool=$build/cli/kobal-lookup
maker=$build/bench/kobal-bench-numbers

for program in "$tool" "$maker"; do
  if [ ! -x "$program" ]; then
    echo "$0: $program is missing; build it first:" >&2
    echo "  cmake --build $build --target kobal-lookup kobal-bench-numbers" >&2
    exit 1
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$maker" "$count" >"$work/plain.txt"
"$maker" "$count" --hyphens >"$work/hyphens.txt"

# A run that lost or added lines would be timed doing less than its share.
for input in plain hyphens; do
  answered=$("$tool" --input "$work/$input.txt" | wc -l)
  if [ "$answered" -ne "$count" ]; then
    echo "$0: kobal-lookup answered $answered of $count $input lines" >&2
    exit 1
  fi
done

# Median wall-clock seconds of `runs` runs of kobal-lookup on one input.
median_seconds() {
  local input=$1
  if command -v hyperfine >/dev/null; then
    hyperfine --shell=none --warmup 2 --runs "$runs" --output=null \
      --export-json "$work/$input.json" "$tool --input $work/$input.txt" >&2
    python3 -c 'import json,sys; print(json.load(open(sys.argv[1]))["results"][0]["median"])' \
      "$work/$input.json"
  else
    local times=()
    for _ in $(seq "$runs"); do
      local start end
      start=$(date +%s%N)
      "$tool" --input "$work/$input.txt" >/dev/null
      end=$(date +%s%N)
      times+=("$((end - start))")
    done
    printf '%s\n' "${times[@]}" | sort -n |
      awk '{t[NR] = $1} END {m = NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2;
                             printf "%.6f\n", m / 1e9}'
  fi
}

echo "kobal-lookup, $count numbers from a file to /dev/null, median of $runs runs:"
for input in plain hyphens; do
  seconds=$(median_seconds "$input")
  awk -v n="$count" -v s="$seconds" -v goal="$goal" -v name="$input" 'BEGIN {
    rate = n / s
    printf "  %-8s %8.3f s  %12.0f numbers/s  (goal over %d: %s)\n", name, s, rate, goal,
           (rate > goal ? "met" : "MISSED")
  }'
done

# Side by side in one run: the same file through --raw, the default and the awk line, the three
# taken in turn in every round, so that a change in the machine's load falls on all of them; the
# ratios are the medians of each round's ratios.
echo '{print $0 "\t"}' >"$work/tab.awk"  # the program as a file: no shell quoting in between
python3 - "$runs" "$tool" "$work/plain.txt" "$work/tab.awk" <<'PY'
import statistics, subprocess, sys, time
runs, tool, numbers, program = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]
commands = {"raw": [tool, "--raw", "--input", numbers], "default": [tool, "--input", numbers],
            "awk": ["awk", "-f", program, numbers]}
seconds = {name: [] for name in commands}
for round_ in range(runs + 2):  # the first two rounds warm the caches and are not counted
    for name in list(commands)[round_ % 3:] + list(commands)[:round_ % 3]:
        start = time.perf_counter()
        subprocess.run(commands[name], stdout=subprocess.DEVNULL, check=True)
        if round_ >= 2:
            seconds[name].append(time.perf_counter() - start)
median = {name: statistics.median(times) for name, times in seconds.items()}
faster = statistics.median(a / r for a, r in zip(seconds["awk"], seconds["raw"]))
slower = statistics.median(d / r for d, r in zip(seconds["default"], seconds["raw"]))
print(f"side by side, {runs} rounds, median: --raw {median['raw']:.3f} s, "
      f"default {median['default']:.3f} s, awk '{{print $0 \"\\t\"}}' {median['awk']:.3f} s")
print(f"  awk / --raw      {faster:5.2f}x  (goal at least 2: {'met' if faster >= 2 else 'MISSED'})")
print(f"  default / --raw  {slower:5.2f}x  (goal at most 1.3: {'met' if slower <= 1.3 else 'MISSED'})")
PY
