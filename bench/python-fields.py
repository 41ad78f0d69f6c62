#!/usr/bin/python3
"""Times kobal.parse_many, the answers as data for a whole column, beside phonenumbers doing the
nearest it can (parse, number_type, format_number NATIONAL and the Japanese geocoder
description) on the same numbers, taking turns in every round so that a change in the machine's
load falls on both. Checks parse_many against parse first.

Usage: /usr/bin/python3 bench/python-fields.py [BUILD_DIR] [COUNT] [ROUNDS] [SAMPLE]
  BUILD_DIR holds bench/kobal-bench-numbers and the kobal package in python/ (default build/ci);
  COUNT numbers of the mix (1000000), parse_many on all of them; ROUNDS (5); SAMPLE (20000): the
  first numbers of the mix, through both, phonenumbers taking tens of microseconds a number.
"""

import pathlib
import statistics
import subprocess
import sys
import time

build = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "build/ci").resolve()
count = int(sys.argv[2]) if len(sys.argv) > 2 else 1_000_000
rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 5
sample_count = min(count, int(sys.argv[4]) if len(sys.argv) > 4 else 20_000)
sys.path.insert(0, str(build / "python"))

import kobal  # noqa: E402
import phonenumbers  # noqa: E402
from phonenumbers import geocoder  # noqa: E402

maker = build / "bench" / "kobal-bench-numbers"
if not maker.exists():
    sys.exit(f"{maker} is missing: cmake --build {build} --target kobal-bench-numbers KobalPython")

NATIONAL = phonenumbers.PhoneNumberFormat.NATIONAL


def describe(number):
    """phonenumbers' nearest to parse(): the number's type, written nationally, and its place."""
    try:
        parsed = phonenumbers.parse(number, "JP")
    except phonenumbers.NumberParseException:
        return None
    return (phonenumbers.number_type(parsed), phonenumbers.format_number(parsed, NATIONAL),
            geocoder.description_for_number(parsed, "ja"))


numbers = subprocess.run([maker, str(count)], capture_output=True, text=True,
                         check=True).stdout.splitlines()
assert len(numbers) == count
sample = numbers[:sample_count]

columns = kobal.parse_many(numbers)
for i in range(0, count, max(1, count // 10_000)):
    if tuple(column[i] for column in columns.values()) != kobal.parse(numbers[i]):
        sys.exit(f"parse_many does not answer {numbers[i]} as parse does")
del columns
for number in sample[:1000]:
    describe(number)  # the geocoder's data loaded before timing

# The sample is short for parse_many: it runs over it this many times a round.
REPEATS = max(1, count // sample_count)


def cpu_of(work):
    start = time.process_time()
    work()
    return time.process_time() - start


def sample_parse_many():
    for _ in range(REPEATS):
        kobal.parse_many(sample)


runs = {
    "parse_many, the mix": (count, lambda: kobal.parse_many(numbers)),
    "parse_many, the sample": (sample_count * REPEATS, sample_parse_many),
    "phonenumbers, the sample": (sample_count, lambda: [describe(n) for n in sample]),
}
per_number = {name: [] for name in runs}
for round_ in range(rounds + 1):  # the first round warms the caches and is not counted
    names = list(runs)
    for name in names[round_ % len(names):] + names[:round_ % len(names)]:
        n, work = runs[name]
        cpu = cpu_of(work)
        if round_:
            per_number[name].append(cpu / n)

print(f"{count} numbers of the mix ({sample_count} in the sample), {rounds} rounds, median CPU:")
for name, results in per_number.items():
    print(f"  {name:25s} {statistics.median(results) * 1e9:9.1f} ns a number")
faster = statistics.median(p / k for p, k in zip(per_number["phonenumbers, the sample"],
                                                  per_number["parse_many, the sample"]))
print(f"  phonenumbers / parse_many on the same numbers, cpu a number  {faster:7.1f}x  "
      f"(goal at least 100: {'met' if faster >= 100 else 'MISSED'})")
