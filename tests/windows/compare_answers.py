#!/usr/bin/env python3
"""KobalFnc.dll under Wine beside the Linux library: the same answer, byte for byte, for every
key 0N0000-0N9999 at ten and eleven characters, every three-character value, every mobile block,
the nine-digit prefixes, and hostile texts (any length, any byte but NUL and LF).

Usage: compare_answers.py WINE DLL_ANSWERS_EXE NATIVE_ANSWERS
"""

import os
import random
import subprocess
import sys
import tempfile


def inputs():
    lines = []
    for group in range(10):
        for key in range(10000):
            lines += [f"0{group}{key:04d}1234", f"0{group}{key:04d}12345"]
    lines += [f"{value:03d}" for value in range(1000)] + [" 12", "+11", "-17", "1a0", "１１０"]
    for lead in ("070", "090"):
        for block in range(1000):
            lines += [f"{lead}{block:03d}12345", f"{lead}{block:03d}1234"]
    lines += [f"0460{digit}1234" for digit in range(10)] + ["04602abcd"]
    chance = random.Random(2000)
    alphabet = bytes(b for b in range(1, 256) if b != 0x0A)
    hostile = [bytes(chance.choice(alphabet) for _ in range(chance.randrange(0, 64)))
               for _ in range(20000)]
    hostile += [b"0" * length for length in range(0, 40)] + [b"0" * 3000]
    return b"\n".join([line.encode() for line in lines] + hostile) + b"\n"


def main(wine, dll_answers, native_answers):
    if not os.access(native_answers, os.X_OK):
        sys.exit(f"{native_answers} is missing: build the native preset's kobal-native-answers first")
    with tempfile.TemporaryDirectory() as work:
        numbers = os.path.join(work, "numbers.txt")
        windows = os.path.join(work, "windows.txt")
        with open(numbers, "wb") as file:
            file.write(inputs())
        with open(numbers, "rb") as file:
            linux = subprocess.run([native_answers, "detect"], stdin=file, check=True,
                                   capture_output=True).stdout.splitlines()
        subprocess.run([wine, dll_answers, numbers, windows], check=True)
        with open(windows, "rb") as file:
            dll = file.read().splitlines()
    differing = [i for i, (a, b) in enumerate(zip(linux, dll)) if a != b]
    if len(linux) != len(dll) or differing:
        print(f"{len(differing)} answers differ, {len(linux)} Linux and {len(dll)} DLL lines; "
              f"first at line {differing[:1]}", file=sys.stderr)
        print("0 passed, 1 failed")
        return 1
    print(f"{len(linux)} answers the same")
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
