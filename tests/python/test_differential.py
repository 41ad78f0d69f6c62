"""detect_carrier against the shared library through ctypes: every six-digit key the lookups
use, at every length the library tells apart, and random bytes and text."""

import itertools

from hypothesis import given, settings, strategies as st

import kobal


def test_every_key_at_every_length(native):
    mismatches = []
    for n, rest in itertools.product("0123456789", range(10_000)):
        key = f"0{n}{rest:04d}"
        for number in (key, key + "123", key + "1234", key + "12345"):
            expected = native.detect(number.encode())
            if kobal.detect_carrier_bytes(number) != expected:
                mismatches.append(number)
    assert not mismatches[:20]


def test_every_three_digit_number(native):
    for value in range(1000):
        number = f"{value:03d}"
        assert kobal.detect_carrier(number) == native.detect(number.encode()).decode("cp932")


def asked(number):
    """What reaches the library: a number holding a NUL is none (the library would stop there)."""
    return b"" if b"\0" in number else number


@settings(max_examples=1500, deadline=None)
@given(st.binary(max_size=24))
def test_random_bytes(native, number):
    expected = native.detect(asked(number))
    assert kobal.detect_carrier_bytes(number) == expected
    assert kobal.detect_carrier(number) == expected.decode("cp932")


# Texts near numbers: digits with a few other characters, at lengths around the ones that count.
near_numbers = st.text(st.sampled_from("0123456789") | st.characters(), min_size=0, max_size=16)


@settings(max_examples=500, deadline=None)
@given(near_numbers | st.text(min_size=60, max_size=200))
def test_random_text_is_read_as_its_utf8(native, text):
    # Lone surrogates included: they reach the library as the three bytes Python writes them as.
    expected = native.detect(asked(text.encode("utf-8", "surrogatepass")))
    assert kobal.detect_carrier_bytes(text) == expected


written_like = st.text(st.sampled_from("0123456789０１２３４５６７８９-－ ()（）+＋.TELtel:内線"),
                       max_size=20)


@settings(max_examples=1000, deadline=None)
@given(written_like)
def test_lookup_is_the_library_answer_for_the_normalised_digits(native, text):
    digits = kobal.normalise(text)
    assert digits is None or digits.isascii() and digits.isdigit()
    assert kobal.lookup(text) == native.detect((digits or "").encode()).decode("cp932")
