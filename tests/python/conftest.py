"""Shared by the kobal module's tests: the native library through ctypes, kobal-lookup, the
normaliser's table of written forms and the shared tables of numbers asked and of fields."""

import ctypes
import os
import pathlib
import re
import sys

import pytest
from hypothesis import settings

# No example database in the source tree: every run draws afresh.
settings.register_profile("kobal", database=None)
settings.load_profile("kobal")

WRITTEN_FORMS = pathlib.Path(__file__).parent.parent / "normaliser" / "written-forms.tsv"
RESULT_SIZE = 46  # KOBAL_RESULT_SIZE

sys.path.insert(0, str(pathlib.Path(__file__).parent.parent / "support"))
from written_forms import unescape  # noqa: E402


def numbers_asked():
    """(input, answer as it stands, answer as written) for every row of the table that the
    core's, kobal-lookup's and the module's tests read too."""
    table = pathlib.Path(__file__).parent.parent / "support" / "numbers-asked.tsv"
    escapes = {"0": "\0", "t": "\t", "n": "\n", "r": "\r"}
    rows = []
    for line in table.read_text(encoding="utf-8").splitlines():
        if not line.startswith("#"):
            text, as_it_stands, as_written = line.split("\t")
            rows.append((re.sub(r"\\(.)", lambda m: escapes.get(m[1], m[1]), text), as_it_stands,
                         as_written))
    return rows


def fields_table():
    """(input, {field: value or None}) for every row of the shared table of fields, which the
    other front ends' tests read too."""
    table = pathlib.Path(__file__).parent.parent / "support" / "fields.tsv"
    header, *lines = table.read_text(encoding="utf-8").splitlines()
    names = header.split("\t")
    assert names[0] == "input" and len(lines) > 30, "the table of fields was not read"
    rows = []
    for line in lines:
        text, *values = line.split("\t")
        rows.append((text, {name: value or None for name, value in zip(names[1:], values, strict=True)}))
    return names[1:], rows


def written_forms():
    """(written bytes, expected digits or None) for every case of the table."""
    cases = []
    for line in WRITTEN_FORMS.read_text(encoding="utf-8").splitlines():
        if not line or line.startswith("#"):
            continue
        written, digits = line.split("\t")
        cases.append((unescape(written), None if digits == "-" else digits))
    assert len(cases) > 100, "the table of written forms was not read"
    return cases


class NativeLibrary:
    """DetectCarrier of libKobalFnc.so, called the way a C caller calls it."""

    def __init__(self, path):
        self._library = ctypes.CDLL(path)
        self._library.DetectCarrier.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
        self._library.DetectCarrier.restype = ctypes.c_int32
        self._result = ctypes.create_string_buffer(RESULT_SIZE)

    def detect(self, number: bytes) -> bytes:
        self._library.DetectCarrier(number, self._result)
        return self._result.value


@pytest.fixture(scope="session")
def native():
    path = os.environ.get("KOBAL_LIBRARY")
    if not path:
        pytest.skip("KOBAL_LIBRARY does not name libKobalFnc.so")
    return NativeLibrary(path)


@pytest.fixture(scope="session")
def kobal_lookup():
    path = os.environ.get("KOBAL_LOOKUP")
    if not path:
        pytest.skip("KOBAL_LOOKUP does not name kobal-lookup")
    return path
