#!/usr/bin/env bash
# CPU time of kobal-lookup end to end: a file of one million numbers of the benchmark mix to
# /dev/null, plain and hyphenated. `perf stat -e task-clock` counts every thread's CPU time, which
# a shared machine disturbs far less than wall time. Prints the medians of task-clock (and of
# wall time, for reference) of --raw, the default and awk '{print $0 "\t"}' on the plain file,
# the default on the hyphenated one, and the ratios --raw / awk and default / --raw against
# their goals (at most 0.8 and 1.3), and --fields all on the plain file against the default
# (goal at most 1.3), for this build and each other one;
# then, where valgrind is installed, callgrind's instructions per line of --raw (goal at most
# 330) and of the default. Any further kobal-lookup binaries given (another build, a variant) are
# timed on the same inputs in the same rounds, so that builds are compared in one run, and
# counted the same way.
# KOBAL_BENCH_MIX=customer-list takes a customer list's mix instead (kobal-bench-numbers
# --customer-list).
# Usage: bench/lookup-throughput.sh [BUILD_DIR] [COUNT] [RUNS] [OTHER_KOBAL_LOOKUP...]
set -euo pipefail

build=${1:-build/bench}
count=${2:-1000000}
runs=${3:-10}
shift $(($# < 3 ? $# : 3))
tool=$build/cli/kobal-lookup
maker=$build/bench/kobal-bench-numbers

for program in "$tool" "$maker" "$@"; do
  if [ ! -x "$program" ]; then
    echo "$0: $program is missing; build it first:" >&2
    echo "  cmake --build $build --target kobal-lookup kobal-bench-numbers" >&2
    exit 1
  fi
done
command -v perf >/dev/null || { echo "$0: perf is missing (apt-get install linux-perf)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mix=()
[ -z "${KOBAL_BENCH_MIX:-}" ] || mix=("--$KOBAL_BENCH_MIX")
"$maker" "$count" "${mix[@]}" >"$work/plain.txt"
"$maker" "$count" "${mix[@]}" --hyphens >"$work/hyphens.txt"

# A run that lost or added lines would be timed doing less than its share.
for program in "$tool" "$@"; do
  for input in plain hyphens; do
    answered=$("$program" --input "$work/$input.txt" | wc -l)
    if [ "$answered" -ne "$count" ]; then
      echo "$0: $program answered $answered of $count $input lines" >&2
      exit 1
    fi
  done
done

echo '{print $0 "\t"}' >"$work/tab.awk"  # the program as a file: no shell quoting in between
# Every command once per round, in an order that turns from round to round, so that a change in
# the machine's load falls on all of them.
python3 - "$runs" "$count" "$work" "$tool" "$@" <<'PY'
import statistics, subprocess, sys, time
runs, count, work, tool, others = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3], sys.argv[4], sys.argv[5:]
plain, hyphens = f"{work}/plain.txt", f"{work}/hyphens.txt"
commands = {"--raw": [tool, "--raw", "--input", plain], "default": [tool, "--input", plain],
            "hyphenated": [tool, "--input", hyphens],
            "--fields all": [tool, "--fields", "all", "--input", plain],
            "awk": ["awk", "-f", f"{work}/tab.awk", plain]}
for number, other in enumerate(others, 1):
    commands[f"[{number}] --raw"] = [other, "--raw", "--input", plain]
    commands[f"[{number}] default"] = [other, "--input", plain]
    commands[f"[{number}] hyphenated"] = [other, "--input", hyphens]
    commands[f"[{number}] --fields all"] = [other, "--fields", "all", "--input", plain]
cpu = {name: [] for name in commands}
wall = {name: [] for name in commands}
names = list(commands)
for round_ in range(runs + 1):  # the first round warms the caches and is not counted
    shift = round_ % len(names)
    for name in names[shift:] + names[:shift]:
        start = time.perf_counter()
        run = subprocess.run(["perf", "stat", "-x,", "-e", "task-clock", "--"] + commands[name],
                             stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True,
                             check=True)
        seconds = time.perf_counter() - start
        if round_ == 0:
            continue
        line = next(l for l in run.stderr.splitlines() if "task-clock" in l)
        cpu[name].append(float(line.split(",")[0]) / 1000)
        wall[name].append(seconds)
print(f"{count} numbers to /dev/null, median of {runs} rounds:")
for name in names:
    c, w = statistics.median(cpu[name]), statistics.median(wall[name])
    print(f"  {name:<16} CPU {c * 1000:7.1f} ms ({count / c / 1e6:5.1f} million/s)   wall {w * 1000:7.1f} ms")
for number in [""] + [f"[{n}] " for n in range(1, len(others) + 1)]:
    ratio = statistics.median(cpu[number + "--raw"]) / statistics.median(cpu["awk"])
    print(f"  {number}--raw / awk CPU time {ratio:.2f} (goal at most 0.8: {'met' if ratio <= 0.8 else 'MISSED'})")
slower = statistics.median(cpu["default"]) / statistics.median(cpu["--raw"])
print(f"  default / --raw CPU time {slower:.2f} (goal at most 1.3: {'met' if slower <= 1.3 else 'MISSED'})")
for number in [""] + [f"[{n}] " for n in range(1, len(others) + 1)]:
    fields = statistics.median(cpu[number + "--fields all"]) / statistics.median(cpu[number + "default"])
    print(f"  {number}--fields all / default CPU time {fields:.2f} (goal at most 1.3: {'met' if fields <= 1.3 else 'MISSED'})")
for number in [f"[{n}]" for n in range(1, len(others) + 1)]:
    for mode in ("--raw", "default", "hyphenated", "--fields all"):
        ratio = statistics.median(cpu[f"{number} {mode}"]) / statistics.median(cpu[mode])
        print(f"  {number} {mode} / this build's CPU time {ratio:.2f}")
PY

if command -v valgrind >/dev/null; then
  for program in "$tool" "$@"; do
    for mode in --raw default "--fields all"; do
      options=(--input "$work/plain.txt")
      [ "$mode" = default ] || options+=($mode)
      valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.out" \
        "$program" "${options[@]}" >/dev/null 2>"$work/callgrind.log"
      instructions=$(sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$work/callgrind.log")
      awk -v i="$instructions" -v n="$count" -v p="$program" -v m="$mode" 'BEGIN {
        printf "callgrind, %s %s: %.1f instructions per line", p, m, i / n
        if (m == "--raw") printf " (goal at most 330: %s)", (i / n <= 330 ? "met" : "MISSED")
        printf "\n" }'
    done
  done
fi
