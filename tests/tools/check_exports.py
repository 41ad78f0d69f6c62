#!/usr/bin/env python3
"""Checks a shared library's dynamic interface: one exported function, a SONAME, no initialisers.

Usage: check_exports.py LIBRARY SONAME FUNCTION
"""

import re
import subprocess
import sys


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def main(library, soname, function):
    problems = []
    exported = []
    for line in run("nm", "-D", "--defined-only", library).splitlines():
        _, kind, name = line.split(maxsplit=2)
        if kind != "A":  # "A" marks the version node of the export map, not a symbol
            exported.append((name.split("@")[0], kind))
    if exported != [(function, "T")]:
        problems.append(f"exports {exported}, expected only the function {function}")

    found = re.search(r"\(SONAME\)\s+Library soname: \[(.*)\]", run("readelf", "-d", library))
    if not found or found.group(1) != soname:
        problems.append(f"SONAME is {found.group(1) if found else 'missing'}, expected {soname}")

    # Loading runs nothing of the library's own: no C++ dynamic initialiser was compiled in.
    initialisers = [s for s in run("nm", library).split() if s.startswith("_GLOBAL__sub_I_")]
    if initialisers:
        problems.append(f"dynamic initialisers: {initialisers}")

    for problem in problems:
        print(f"{library}: {problem}", file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
