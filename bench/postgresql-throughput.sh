#!/usr/bin/env bash
# kobal_lookup in PostgreSQL over a table of the benchmark mix, in a throw-away cluster that
# loads the extension from the build tree (tests/postgresql/in-cluster.sh). CPU time of the
# backend (its /proc/self/schedstat, read by the server itself) for
#   SELECT count(kobal_lookup(tel)) FROM mix   against   SELECT count(length(tel)) FROM mix
# in one backend (no workers), with kobal_format and kobal_parse beside them, each round taking
# the four in turn; prints the medians and the lookup's ratio against the goal (at most 2). Then
# the plan PostgreSQL chooses for the lookup with its default settings, with the workers it
# launched, and the wall times without and with them. Any further kobal.so given (another build
# tree's, whose stage keeps its library beside it) has its kobal_lookup timed in the same rounds,
# as kobal_lookup_1, kobal_lookup_2 ..., so that builds are compared in one run.
# Usage: bench/postgresql-throughput.sh [BUILD_DIR] [COUNT] [RUNS] [OTHER_KOBAL_SO...]
set -euo pipefail

build=${1:-build/ci}
count=${2:-1000000}
runs=${3:-10}
shift $(($# < 3 ? $# : 3))
others=()
for other in "$@"; do
  [ -r "$other" ] || { echo "$0: $other is missing" >&2; exit 1; }
  others+=("$(realpath "$other")")
done
here=$(cd "$(dirname "$0")" && pwd)
maker=$build/bench/kobal-bench-numbers
stage=$(cd "$build/postgresql/stage" 2>/dev/null && pwd || true)
pkglibdir=$(find "${stage:-/nonexistent}" -name kobal.so -printf '%h\n' 2>/dev/null | head -n 1)
if [ ! -x "$maker" ] || [ -z "$pkglibdir" ]; then
  echo "$0: build the extension and the mix first:" >&2
  echo "  cmake --build $build --target KobalPostgresql kobal-bench-numbers" >&2
  exit 1
fi
pkglibdir=${pkglibdir#"$stage"}
major=$(basename "$(dirname "$pkglibdir")")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$maker" "$count" >"$work/mix.txt"
chmod -R go+rX "$work"  # as root, the server (user postgres) reads the file

cat >"$work/run.py" <<'PY'
import statistics, subprocess, sys
work, count, runs, others = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4:]


def sql(*commands):
    args = ["psql", "-X", "-q", "-v", "ON_ERROR_STOP=1", "-At"]
    for command in commands:
        args += ["-c", command]
    return subprocess.run(args, check=True, capture_output=True, text=True).stdout


sql("CREATE EXTENSION kobal", "CREATE TABLE mix (tel text)", f"COPY mix FROM '{work}/mix.txt'",
    "VACUUM ANALYZE mix")
assert int(sql("SELECT count(*) FROM mix")) == count, "the table lost rows"


def cpu_seconds(expression):
    """The backend's CPU time for one query, the table read once before, no workers."""
    clock = "SELECT split_part(pg_read_file('/proc/self/schedstat'), ' ', 1)"
    query = f"SELECT {expression} FROM mix"
    out = sql("SET max_parallel_workers_per_gather = 0", query, clock, query, clock).split("\n")
    return (int(out[3]) - int(out[1])) / 1e9


queries = {"kobal_lookup": "count(kobal_lookup(tel))", "length": "count(length(tel))",
           "kobal_format": "count(kobal_format(tel))", "kobal_parse": "count(kobal_parse(tel))"}
for number, other in enumerate(others, 1):
    sql(f"CREATE FUNCTION kobal_lookup_{number}(text) RETURNS text AS '{other}', 'kobal_lookup' "
        "LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE")
    queries[f"[{number}] kobal_lookup"] = f"count(kobal_lookup_{number}(tel))"
    print(f"[{number}] {other}")
names = list(queries)
cpu = {name: [] for name in names}
for round_ in range(runs):
    start = round_ % len(names)
    for name in names[start:] + names[:start]:
        cpu[name].append(cpu_seconds(queries[name]))
print(f"{count} rows, backend CPU time, median of {runs} rounds (no workers):")
for name in names:
    c = statistics.median(cpu[name])
    print(f"  SELECT {queries[name]:<26} {c * 1000:7.1f} ms  ({c / count * 1e9:5.1f} ns a row)")
ratio = statistics.median(cpu["kobal_lookup"]) / statistics.median(cpu["length"])
print(f"  kobal_lookup / length CPU time {ratio:.2f} (goal at most 2: "
      f"{'met' if ratio <= 2 else 'MISSED'})")
for number in range(1, len(others) + 1):
    other = statistics.median(cpu[f"[{number}] kobal_lookup"]) / statistics.median(cpu["length"])
    print(f"  [{number}] kobal_lookup / length CPU time {other:.2f}")

lookup = "SELECT count(kobal_lookup(tel)) FROM mix"
print("The plan with PostgreSQL's default settings:")
print(sql(f"EXPLAIN (ANALYZE, COSTS OFF, TIMING OFF, SUMMARY OFF) {lookup}"), end="")
for workers in (0, 2):
    out = sql(f"SET max_parallel_workers_per_gather = {workers}", lookup, "\\timing on", lookup)
    times = [line.split()[1] for line in out.splitlines() if line.startswith("Time:")]
    print(f"  wall time with at most {workers} workers: {times[-1]} ms")
PY
"$here/../tests/postgresql/in-cluster.sh" "$stage" "$major" "$pkglibdir" \
  /usr/bin/python3 "$work/run.py" "$work" "$count" "$runs" ${others[@]+"${others[@]}"}
