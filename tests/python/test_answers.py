"""kobal's single-value functions: the library's answers, the written forms, kobal-lookup's
answers line for line, wrong types and hostile text."""

import doctest
import json
import subprocess
import tracemalloc

import pytest

import kobal
from conftest import numbers_asked, written_forms

# A number of every kind the library tells apart, and some it does not place.
NUMBERS = ["0112012345", "0335201234", "0460812345", "09012012345", "07012345678", "0120123456",
           "08001234567", "0990123456", "117", "110", "999", "", "0", "1234567", "035201234567"]


@pytest.mark.parametrize("number", NUMBERS)
def test_detect_carrier_is_the_library_answer(native, number):
    expected = native.detect(number.encode())
    assert kobal.detect_carrier_bytes(number) == expected
    assert kobal.detect_carrier_bytes(number.encode()) == expected
    assert kobal.detect_carrier(number) == expected.decode("cp932")
    assert kobal.detect_carrier(number.encode()) == expected.decode("cp932")


@pytest.mark.parametrize("text, as_it_stands, as_written", numbers_asked())
def test_the_shared_table_of_numbers_asked(text, as_it_stands, as_written):
    assert kobal.detect_carrier(text) == as_it_stands
    assert kobal.detect_carrier(text.encode()) == as_it_stands
    assert kobal.detect_carrier_bytes(text.encode()).decode("cp932") == as_it_stands
    assert kobal.lookup(text) == as_written
    assert kobal.lookup_many([text]) == [as_written]


def test_digits_are_not_normalised_by_detect_carrier():
    assert kobal.detect_carrier("03-3520-1234") == kobal.detect_carrier("")
    assert kobal.lookup("03-3520-1234") == kobal.detect_carrier("0335201234")


@pytest.mark.parametrize("written, digits", written_forms())
def test_written_forms(written, digits):
    # Bytes that are no UTF-8 reach Python as lone surrogates, and stay no number.
    text = written.decode("utf-8", "surrogateescape")
    assert kobal.normalise(text) == digits
    assert kobal.lookup(text) == kobal.detect_carrier(digits or "")


def test_lookup_answers_as_kobal_lookup_does(kobal_lookup):
    texts = [w.decode() for w, _ in written_forms() if _is_one_line(w)] + NUMBERS
    texts += ["TEL 011-201-2345", "＋８１ ９０ １２３４ ５６７８", "n/a", "０１２０－１２３－４５６"]
    run = subprocess.run([kobal_lookup, "--format", "jsonl"], input="\n".join(texts) + "\n",
                         capture_output=True, text=True, encoding="utf-8", check=True)
    records = [json.loads(line) for line in run.stdout.splitlines()]
    assert len(records) == len(texts)
    for text, record in zip(texts, records):
        assert (text, kobal.normalise(text), kobal.lookup(text)) == \
            (text, record["number"], record["result"])
    assert kobal.lookup_many(texts) == [record["result"] for record in records]


def _is_one_line(written):
    try:
        text = written.decode("utf-8")
    except UnicodeDecodeError:
        return False  # kobal-lookup would read such a line as Shift-JIS
    return "\n" not in text and "\r" not in text


class Text(str):
    """A str subclass: its characters live apart from the object, unlike a plain str's."""


@pytest.mark.parametrize("text", ["117", "03-3520-1234", "０３－３５２０－１２３４", "", "\ud800"])
def test_str_subclasses_read_as_their_text(text):
    assert kobal.lookup(Text(text)) == kobal.lookup(text)
    assert kobal.normalise(Text(text)) == kobal.normalise(text)
    assert kobal.detect_carrier(Text(text)) == kobal.detect_carrier(text)
    assert kobal.lookup_many([Text(text)]) == [kobal.lookup(text)]


@pytest.mark.parametrize("function, given", [
    (kobal.detect_carrier, 117), (kobal.detect_carrier, None), (kobal.detect_carrier_bytes, 1.5),
    (kobal.detect_carrier_bytes, bytearray(b"117")), (kobal.normalise, b"117"),
    (kobal.normalise, None), (kobal.lookup, b"117"), (kobal.lookup, 117), (kobal.lookup_many, 117),
    (kobal.lookup_many, "0335201234"), (kobal.lookup_many, b"117"),
])
def test_wrong_types_raise_type_error_naming_function_and_type(function, given):
    with pytest.raises(TypeError, match=rf"^{function.__name__}\(\) takes .*, not {type(given).__name__}\b"):
        function(given)


@pytest.mark.parametrize("text", [
    "\ud800", "03-3520-1234\udfff", "\x00", "117\x00", "0335201234\x00999", "\U0001F4DE 117",
    "0" * 1_000_000, " " * 1_000_000 + "117", "117" + "0" * 100 + "\x00", "\u00a0" * 100_000 + "0335201234", "\uffff" * 1000,
])
def test_any_text_gets_an_answer(native, text):
    digits = kobal.normalise(text)
    # A text of 64 KiB or more is no number, as kobal-lookup answers such a line.
    if len(text.encode("utf-8", "surrogatepass")) >= 1 << 16:
        digits = None
    assert kobal.lookup(text) == native.detect((digits or "").encode()).decode("cp932")
    raw = text.encode("utf-8", "surrogatepass")
    asked = b"" if b"\0" in raw else raw  # the library would stop at a NUL: no number
    assert kobal.detect_carrier_bytes(text) == native.detect(asked)
    assert kobal.detect_carrier_bytes(raw) == native.detect(asked)


def test_a_huge_text_is_answered_without_copies_that_outlive_the_call():
    ascii_text = "0" * 20_000_000
    latin_text = "\u00a0" * 5_000_000 + "0335201234"
    tracemalloc.start()
    try:
        before = tracemalloc.get_traced_memory()[0]
        assert kobal.lookup(ascii_text) == kobal.lookup("")
        ascii_peak = tracemalloc.get_traced_memory()[1] - before
        tracemalloc.reset_peak()
        assert kobal.lookup(latin_text) == kobal.lookup("")  # far too long to be a number
        latin_peak = tracemalloc.get_traced_memory()[1] - before
        kobal.detect_carrier(latin_text)
        after = tracemalloc.get_traced_memory()[0]
    finally:
        tracemalloc.stop()
    assert ascii_peak < 100_000, "an ASCII text was copied"
    assert latin_peak < 3 * len(latin_text), "a text was copied more than once"
    assert after - before < 100_000, "a copy of the text was kept"


def test_docstrings_show_true_answers():
    for module in (kobal, kobal._kobal):
        failed, tried = doctest.testmod(module, optionflags=doctest.ELLIPSIS)
        assert failed == 0 and tried > 0
