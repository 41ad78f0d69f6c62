"""Answers as data: format, parse and parse_many on the shared table of fields, the gaps and
other items of a column, wrong types, whole columns in chunks, shared values and no leaks."""

import gc
import sys
import typing

import numpy as np
import pandas as pd
import pytest

import kobal
from conftest import fields_table

NAMES, ROWS = fields_table()
UNKNOWN = kobal.lookup("")


@pytest.mark.parametrize("text, fields", ROWS, ids=[text or "(empty)" for text, _ in ROWS])
def test_the_shared_table_of_fields(text, fields):
    assert kobal.parse(text) == kobal.Answer(**fields)
    assert kobal.format(text) == fields["formatted"]


def test_the_shared_table_as_one_column():
    texts = [text for text, _ in ROWS]
    assert kobal.parse_many(texts) == {name: [f[name] for _, f in ROWS] for name in NAMES}


def test_the_fields_and_their_order_are_the_table_s():
    assert list(kobal.Answer._fields) == NAMES
    assert list(kobal.parse_many([])) == NAMES
    assert kobal.parse_many([]) == {name: [] for name in NAMES}
    hints = typing.get_type_hints(kobal.Answer)
    assert hints["status"] is str
    assert hints["prefecture"] == str | None
    for name in NAMES:
        assert not getattr(kobal.Answer, name).__doc__.startswith("Alias"), name


# A gap in a column is missing; any other item that is not a str is no number.
GAPS = [None, float("nan"), np.float64("nan"), pd.NA, pd.NaT]
NOT_TEXT = [117, 335201234, 3.5, b"117", ["117"], np.int64(117)]


def test_items_that_are_not_text():
    columns = kobal.parse_many(GAPS + NOT_TEXT)
    statuses = ["missing"] * len(GAPS) + ["not-a-number"] * len(NOT_TEXT)
    assert columns["status"] == statuses
    assert columns["result"] == [UNKNOWN] * len(statuses)
    for name in NAMES:
        if name not in ("status", "result"):
            assert columns[name] == [None] * len(statuses), name


def test_a_string_column_with_gaps_as_pandas_reads_it():
    column = pd.Series(["03-3520-1234", None, "117"], dtype="string")
    assert kobal.parse_many(column)["status"] == ["number", "missing", "number"]
    assert kobal.parse_many(pd.Series([335201234.0, np.nan]))["status"] == \
        ["not-a-number", "missing"]


@pytest.mark.parametrize("call, argument", [
    (kobal.parse, None), (kobal.parse, b"117"), (kobal.parse, 117),
    (kobal.format, None), (kobal.format, 335201234),
    (kobal.parse_many, "0335201234"), (kobal.parse_many, b"117"), (kobal.parse_many, 117),
    (kobal.parse_many, None)])
def test_wrong_types_raise_type_error(call, argument):
    with pytest.raises(TypeError, match=call.__name__):
        call(argument)


def test_errors_of_the_iteration_pass_through():
    def broken():
        yield "117"
        raise ValueError("the column broke")

    with pytest.raises(ValueError, match="the column broke"):
        kobal.parse_many(broken())


class Text(str):
    """A str subclass, as some columns hold."""


def test_a_large_column_in_chunks_is_parse_item_by_item():
    texts = [f"0{n % 9 + 1}{n:08d}"[:10] for n in range(20_011)] + ["117"] * 5
    texts[4096] = "ＴＥＬ ０３－３５２０－１２３４"
    texts[5000] = Text("0335201234")
    texts[6000] = None
    texts[7000] = "\ud800"
    columns = kobal.parse_many(pd.Series(texts, index=range(7, 7 + len(texts))))
    expected = [kobal.parse(t) if isinstance(t, str) else None for t in texts]
    assert [kobal.Answer(*row) for row in zip(*columns.values())] == \
        [e if e else kobal.Answer(*[None] * 2, "missing", *[None] * 6, UNKNOWN) for e in expected]
    # Numbers are plain str, even of a subclass's item.
    assert type(columns["number"][5000]) is str


class Told:
    """An iterator that tells a length it does not have."""

    def __init__(self, items, told):
        self._items, self._told = iter(items), told

    def __iter__(self):
        return self

    def __next__(self):
        return next(self._items)

    def __length_hint__(self):
        return self._told


@pytest.mark.parametrize("told", [0, 1, 4095, 10_000, 2**40])
def test_columns_are_as_long_as_the_items_whatever_the_iterable_tells(told):
    texts = ["0335201234", None, "117"] * 2000
    expected = kobal.parse_many(list(texts))
    assert len(expected["number"]) == len(texts)
    assert kobal.parse_many(Told(texts, told)) == expected
    assert kobal.parse_many(t for t in texts) == expected


def test_equal_values_are_one_str_a_call():
    texts = ["0112012345", "011-201-2345", "0335201234", "0120-123-456"] * 1000
    columns = kobal.parse_many(texts)
    for name in ("status", "kind", "prefecture", "place", "ma", "carrier", "result"):
        values = [v for v in columns[name] if v is not None]
        assert len({id(v) for v in values}) == len(set(values)), name


def test_the_pandas_idiom():
    df = pd.DataFrame({"電話番号": ["03-3520-1234", None, "090 1234 5678", "011-201-2345", "n/a"]},
                      index=list("abcde"))
    answers = pd.DataFrame(kobal.parse_many(df["電話番号"]), index=df.index)
    assert answers.groupby("prefecture").size().to_dict() == {"北海道": 1, "東京都": 1}
    assert list(answers.index[answers["kind"] == "mobile"]) == ["c"]
    df["電話番号"] = answers["formatted"].fillna(df["電話番号"])
    assert list(df["電話番号"]) == ["03-3520-1234", None, "090-1234-5678", "011-201-2345", "n/a"]


def test_reference_counts_hold_steady():
    number, written = "0335201234", "ＴＥＬ ０９０－１２３４－５６７８"
    column = [number, None, written, 1.5, "117"] * 200
    counts = lambda: [sys.getrefcount(x) for x in (number, written, None)]
    gc.collect()
    before = counts()
    for _ in range(200):
        kobal.parse_many(column)
        kobal.parse(written)
        kobal.format(number)
    gc.collect()
    assert counts() == before
