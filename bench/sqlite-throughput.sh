#!/usr/bin/env bash
# CPU time of kobal_lookup in SQLite: a table of the benchmark mix (one million numbers by
# default, imported by the sqlite3 shell), and in the shell, the extension loaded in both,
#   SELECT count(kobal_lookup(tel)) FROM numbers   against   SELECT count(length(tel)) FROM numbers;
# beside them kobal_format and kobal_parse (its JSON of every field) over the same rows.
# `perf stat -e task-clock` counts the whole shell's CPU time; the two take turns, round after
# round, so that a change in the machine's load falls on both. Prints the medians, each query's
# cost a row beyond what the shell spends on neither, and the ratio against its goal (at most 2).
# Any further kobal.so given (another build tree's, its library beside it as built) has its
# kobal_lookup timed in the same rounds, so that builds are compared in one run.
# Usage: bench/sqlite-throughput.sh [BUILD_DIR] [COUNT] [RUNS] [OTHER_KOBAL_SO...]
set -euo pipefail

build=${1:-build/ci}
count=${2:-1000000}
runs=${3:-10}
shift $(($# < 3 ? $# : 3))
extension=$build/sqlite/kobal.so
maker=$build/bench/kobal-bench-numbers

for file in "$extension" "$maker" "$@"; do
  [ -e "$file" ] || {
    echo "$0: $file is missing; build it first:" >&2
    echo "  cmake --build $build --target KobalSqlite kobal-bench-numbers" >&2
    exit 1
  }
done
for program in sqlite3 perf; do
  command -v "$program" >/dev/null || { echo "$0: $program is missing (apt-get install sqlite3 linux-perf)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$maker" "$count" >"$work/numbers.txt"
sqlite3 "$work/mix.db" "CREATE TABLE numbers(tel TEXT)" ".import $work/numbers.txt numbers"

others=()
for other in "$@"; do others+=("$(realpath "${other%.so}")"); done
python3 - "$runs" "$count" "$work/mix.db" "${extension%.so}" ${others[@]+"${others[@]}"} <<'PY'
import statistics, subprocess, sys
runs, count, db, extension = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3], sys.argv[4]
others = sys.argv[5:]
queries = {"kobal_lookup": "SELECT count(kobal_lookup(tel)) FROM numbers",
           "length": "SELECT count(length(tel)) FROM numbers",
           # NULL where a number has no formatted form: counted with the rest.
           "kobal_format": "SELECT count(coalesce(kobal_format(tel), 0)) FROM numbers",
           "kobal_parse": "SELECT count(kobal_parse(tel)) FROM numbers",
           "nothing": "SELECT 1"}  # the shell, its start and the extension's loading alone
loaded = {name: extension for name in queries}
for number, other in enumerate(others, 1):
    queries[f"[{number}] kobal_lookup"] = queries["kobal_lookup"]
    loaded[f"[{number}] kobal_lookup"] = other
    print(f"[{number}] {other}.so")
cpu = {name: [] for name in queries}
names = list(queries)
for round_ in range(runs + 1):  # the first round warms the caches and is not counted
    shift = round_ % len(names)
    for name in names[shift:] + names[:shift]:
        run = subprocess.run(["perf", "stat", "-x,", "-e", "task-clock", "--", "sqlite3", db,
                              f".load {loaded[name]}", queries[name]],
                             capture_output=True, text=True, check=True)
        expected = "1" if name == "nothing" else str(count)
        assert run.stdout.strip() == expected, (name, run.stdout)
        if round_ > 0:
            line = next(l for l in run.stderr.splitlines() if "task-clock" in l)
            cpu[name].append(float(line.split(",")[0]) / 1000)
median = {name: statistics.median(cpu[name]) for name in names}
print(f"{count} rows, median CPU time of {runs} rounds:")
for name in names:
    per_row = (median[name] - median["nothing"]) / count * 1e9
    label = queries[name] if name == "kobal_lookup" or not name.startswith("[") else name
    print(f"  {label:<58} {median[name] * 1000:7.1f} ms ({per_row:5.1f} ns a row)")
ratio = median["kobal_lookup"] / median["length"]
print(f"  count(kobal_lookup) / count(length) CPU time {ratio:.2f} "
      f"(goal at most 2: {'met' if ratio <= 2 else 'MISSED'})")
for number in range(1, len(others) + 1):
    other = median[f"[{number}] kobal_lookup"] / median["length"]
    print(f"  [{number}] count(kobal_lookup) / count(length) CPU time {other:.2f}")
PY
