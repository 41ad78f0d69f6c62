#!/usr/bin/env python3
"""KobalFnc.dll's version record as Windows reads it: the project's version in its fixed part and
its strings, and the strings callers see in the file's properties.

Usage: check_dll_version.py WRESTOOL KobalFnc.dll PROJECT_VERSION"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "app"))
from check_resources import Check, VersionRecord, failures  # noqa: E402


def main():
    wrestool, dll, version = sys.argv[1:4]
    record, fixed = VersionRecord(wrestool, dll, version)
    Check("file type: a DLL", fixed[9], 2)
    tables = {key.lower(): value for key, value in record["StringFileInfo"].items()}
    strings = tables.get("041104b0", {})  # Japanese, Unicode
    Check("strings", {key: strings.get(key) for key in (
        "CompanyName", "FileVersion", "OriginalFilename", "ProductName", "ProductVersion")},
        {"CompanyName": "Kobal", "FileVersion": version, "OriginalFilename": "KobalFnc.dll",
         "ProductName": "Kobal", "ProductVersion": version})
    Check("has a description", bool(strings.get("FileDescription")), True)
    for failure in failures:
        print("FAIL", failure)
    print(f"{0 if failures else 1} passed, {1 if failures else 0} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
