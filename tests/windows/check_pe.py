#!/usr/bin/env python3
"""Checks a Windows DLL as hardening-check does an ELF file: one export, by name at ordinal 1;
no import but Windows' own DLLs; ASLR (64-bit wide on x64) and DEP in the PE header; no link
time stamped in. Without FUNCTION, a program: no exports checked, and KobalFnc.dll, which ships
beside it, may be imported too.

Usage: check_pe.py OBJDUMP DLL [FUNCTION]
"""

import re
import subprocess
import sys

# DLLs every Windows has; a MinGW runtime DLL (libgcc_s_*, libstdc++-6, libwinpthread-1) is not one.
SYSTEM_DLLS = {"kernel32.dll", "msvcrt.dll", "user32.dll", "advapi32.dll", "ntdll.dll",
               "shell32.dll"}
DYNAMIC_BASE, HIGH_ENTROPY_VA, NX_COMPAT = 0x40, 0x20, 0x100


def main(objdump, dll, function=None):
    header = subprocess.run([objdump, "-p", dll], check=True, capture_output=True,
                            text=True).stdout
    problems = []

    # Address table entries "[index] +base[ordinal] RVA", then names "[index] name".
    addresses = header.split("Export Address Table -- Ordinal Base", 1)[-1]
    addresses = addresses.split("[Ordinal/Name Pointer] Table", 1)
    ordinals = re.findall(r"^\s*\[\s*(\d+)\]\s+\+base\[\s*(\d+)\]", addresses[0], re.M)
    names = re.findall(r"^\s*\[\s*(\d+)\]\s+(\S+)\s*$", addresses[-1].split("\n\n")[0], re.M)
    exports = [(dict(ordinals).get(index), name) for index, name in names]
    if function and (len(addresses) != 2 or len(ordinals) != 1 or exports != [("1", function)]):
        problems.append(f"exports {exports} at {ordinals}, expected only {function} at ordinal 1")

    imports = {name.lower() for name in re.findall(r"^\s*DLL Name: (\S+)", header, re.M)}
    foreign = imports - SYSTEM_DLLS - (set() if function else {"kobalfnc.dll"})
    if foreign:
        problems.append(f"imports DLLs Windows does not have: {sorted(foreign)}")

    characteristics = int(re.search(r"^DllCharacteristics\s+([0-9a-fA-F]+)", header, re.M).group(1), 16)
    wanted = DYNAMIC_BASE | NX_COMPAT
    if re.search(r"^Magic\s+020b", header, re.M):  # PE32+, a 64-bit image
        wanted |= HIGH_ENTROPY_VA
    if characteristics & wanted != wanted:
        problems.append(f"DllCharacteristics {characteristics:#06x} lacks {wanted & ~characteristics:#06x}")

    stamp = re.search(r"^Time/Date\s+(.*)$", header, re.M).group(1)
    if not stamp.startswith(("Thu Jan  1 00:00:00 1970", "00000000")):
        problems.append(f"link time stamped in: {stamp}")

    for problem in problems:
        print(f"{dll}: {problem}", file=sys.stderr)
    print(f"{0 if problems else 1} passed, {1 if problems else 0} failed")
    return 1 if problems else 0


if __name__ == "__main__":
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
