#!/usr/bin/python3
"""Times kobal.lookup_many on the one-million-number mix beside kobal-lookup on the same numbers
and beside the shortest phonenumbers code that gives a comparable answer, taking turns in every
round so that a change in the machine's load falls on all of them. Checks the answers first.

Usage: /usr/bin/python3 bench/python-throughput.py [BUILD_DIR] [COUNT] [ROUNDS] [PHONENUMBERS_COUNT]
  BUILD_DIR holds cli/kobal-lookup, bench/kobal-bench-numbers and the kobal package in python/
  (default build/ci); COUNT numbers of the mix (1000000); ROUNDS (5). lookup_many takes them as
  a list, and as a pandas Series for comparison; phonenumbers, which takes tens of microseconds
  a number, times the first PHONENUMBERS_COUNT of them (100000).
"""

import pathlib
import resource
import statistics
import subprocess
import sys
import tempfile
import time

build = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "build/ci").resolve()
count = int(sys.argv[2]) if len(sys.argv) > 2 else 1_000_000
rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 5
slow_count = min(count, int(sys.argv[4]) if len(sys.argv) > 4 else 100_000)
sys.path.insert(0, str(build / "python"))

import kobal  # noqa: E402
import pandas  # noqa: E402
import phonenumbers  # noqa: E402
from phonenumbers import geocoder  # noqa: E402

tool = build / "cli" / "kobal-lookup"
maker = build / "bench" / "kobal-bench-numbers"
for program in (tool, maker):
    if not program.exists():
        sys.exit(f"{program} is missing: cmake --build {build} --target kobal-lookup "
                 "kobal-bench-numbers KobalPython")


def describe(number):
    """phonenumbers' nearest to kobal's answer: the number's type and its place in Japanese."""
    try:
        parsed = phonenumbers.parse(number, "JP")
    except phonenumbers.NumberParseException:
        return None
    return phonenumbers.number_type(parsed), geocoder.description_for_number(parsed, "ja")


def children_cpu():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


with tempfile.TemporaryDirectory() as work:
    mix = pathlib.Path(work) / "mix.txt"
    with open(mix, "wb") as out:
        subprocess.run([maker, str(count)], stdout=out, check=True)
    numbers = mix.read_text(encoding="ascii").splitlines()
    assert len(numbers) == count
    column = pandas.Series(numbers)

    # The same answers as kobal-lookup, line for line, before anything is timed.
    lines = subprocess.run([tool, "--input", mix], capture_output=True, check=True).stdout
    expected = [line.split("\t", 1)[1] for line in lines.decode("utf-8").splitlines()]
    if kobal.lookup_many(numbers) != expected:
        sys.exit("lookup_many does not answer as kobal-lookup does")
    sample = numbers[:slow_count]
    for number in sample[:1000]:
        describe(number)  # the geocoder's data loaded before timing

    def time_lookup_many():
        wall, cpu = time.perf_counter(), time.process_time()
        kobal.lookup_many(numbers)
        return time.perf_counter() - wall, time.process_time() - cpu

    def time_series():
        wall, cpu = time.perf_counter(), time.process_time()
        kobal.lookup_many(column)
        return time.perf_counter() - wall, time.process_time() - cpu

    def time_kobal_lookup():
        wall, cpu = time.perf_counter(), children_cpu()
        subprocess.run([tool, "--input", mix], stdout=subprocess.DEVNULL, check=True)
        return time.perf_counter() - wall, children_cpu() - cpu

    def time_phonenumbers():
        wall, cpu = time.perf_counter(), time.process_time()
        for number in sample:
            describe(number)
        return time.perf_counter() - wall, time.process_time() - cpu

    runs = {"lookup_many": time_lookup_many, "kobal-lookup": time_kobal_lookup,
            "phonenumbers": time_phonenumbers, "(a Series)": time_series}
    times = {name: [] for name in runs}
    for round_ in range(rounds + 1):  # the first round warms the caches and is not counted
        names = list(runs)
        for name in names[round_ % len(names):] + names[:round_ % len(names)]:
            result = runs[name]()
            if round_:
                times[name].append(result)

n = {"lookup_many": count, "kobal-lookup": count, "phonenumbers": slow_count, "(a Series)": count}
print(f"{count} numbers of the mix ({slow_count} through phonenumbers), {rounds} rounds, median:")
for name, results in times.items():
    wall = statistics.median(w for w, _ in results)
    cpu = statistics.median(c for _, c in results)
    print(f"  {name:13s} wall {wall * 1e3:9.1f} ms  cpu {cpu * 1e3:9.1f} ms  "
          f"{cpu / n[name] * 1e9:8.1f} ns cpu a number")
per_number = {name: [c / n[name] for _, c in results] for name, results in times.items()}
faster = statistics.median(p / k for p, k in zip(per_number["phonenumbers"], per_number["lookup_many"]))
walls = statistics.median(k[0] / t[0] for k, t in zip(times["lookup_many"], times["kobal-lookup"]))
cpus = statistics.median(k[1] / t[1] for k, t in zip(times["lookup_many"], times["kobal-lookup"]))
print(f"  phonenumbers / lookup_many, cpu a number  {faster:7.1f}x  "
      f"(goal at least 100: {'met' if faster >= 100 else 'MISSED'})")
print(f"  lookup_many / kobal-lookup, wall time     {walls:7.2f}x  "
      f"(goal at most 3: {'met' if walls <= 3 else 'MISSED'}; cpu {cpus:.2f}x)")
