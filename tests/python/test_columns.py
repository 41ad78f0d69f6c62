"""lookup_many (and parse_many, where they share the work) over whole columns: every kind of iterable, items that are not text, order
across chunks, the pandas idiom, the lock released while answering, and no leaks."""

import gc
import sys
import threading
import tracemalloc

import numpy as np
import pandas as pd
import pytest

import kobal

TEXTS = ["117", "0112012345", "03-3520-1234", "０９０－１２３４－５６７８", "n/a", "", "0120-123-456",
         "TEL: 011 201 2345", "\ud800", "117\x00"]
NO_TEXT = [None, float("nan"), pd.NA, 117, b"117", 3.5, ["117"]]
UNKNOWN = kobal.lookup("")


@pytest.mark.parametrize("make", [list, tuple, iter, lambda xs: (x for x in xs), pd.Series,
                                  lambda xs: pd.Series(xs, index=range(100, 100 + len(xs))),
                                  lambda xs: np.array(xs, dtype=object)])
def test_any_iterable_answers_in_order(make):
    items = TEXTS + NO_TEXT + TEXTS[::-1]
    expected = [kobal.lookup(x) if isinstance(x, str) else UNKNOWN for x in items]
    assert kobal.lookup_many(make(items)) == expected


def test_pandas_columns_of_other_kinds():
    texts = ["117", "03-3520-1234", "117", "n/a"]
    expected = [kobal.lookup(t) for t in texts]
    assert kobal.lookup_many(pd.Index(texts)) == expected
    assert kobal.lookup_many(pd.Categorical(texts + [None])) == expected + [UNKNOWN]
    assert kobal.lookup_many(pd.Series(texts, dtype="category")) == expected
    # A frame iterates over its column labels, whatever its values.
    assert kobal.lookup_many(pd.DataFrame({"117": texts, "0": texts})) == [kobal.lookup("117"), UNKNOWN]


def test_numpy_and_pandas_string_columns():
    # NumPy's fixed-width strings cannot hold a lone surrogate, and drop trailing NULs.
    texts = [t for t in TEXTS if "\ud800" not in t and "\x00" not in t]
    expected = [kobal.lookup(t) for t in texts]
    assert kobal.lookup_many(np.array(texts)) == expected
    assert kobal.lookup_many(pd.Series(texts + [None], dtype="string")) == expected + [UNKNOWN]


def test_order_holds_across_chunks():
    numbers = [f"0{n % 9 + 1}{n:08d}"[:10] for n in range(20_011)] + ["117"] * 5
    numbers[4096] = "ＴＥＬ ０３－３５２０－１２３４"
    assert kobal.lookup_many(numbers) == [kobal.lookup(n) for n in numbers]
    assert kobal.lookup_many([]) == []


def test_the_pandas_idiom():
    df = pd.DataFrame({"電話番号": ["03-3520-1234", None, "117", "090 1234 5678", np.nan]},
                      index=["a", "b", "c", "d", "e"])
    df["種別"] = kobal.lookup_many(df["電話番号"])
    assert df.loc["a", "種別"] == kobal.lookup("0335201234")
    assert df.loc["c", "種別"] == kobal.detect_carrier("117")
    assert df.loc["d", "種別"] == kobal.detect_carrier("09012345678")
    assert list(df.loc[["b", "e"], "種別"]) == [UNKNOWN, UNKNOWN]


def test_errors_of_the_iteration_pass_through():
    def broken():
        yield "117"
        raise ValueError("the column broke")

    with pytest.raises(ValueError, match="the column broke"):
        kobal.lookup_many(broken())

    class Unreadable:
        def __iter__(self):
            raise OSError("the file went away")

    with pytest.raises(OSError, match="the file went away"):
        kobal.lookup_many(Unreadable())


@pytest.mark.parametrize("many", [kobal.lookup_many, kobal.parse_many])
def test_two_threads_answer_at_once(many):
    # With a switch interval longer than the test, a thread waiting for the lock gets it only
    # when the holder lets go: the helper can finish a call while the main thread is in its own
    # only if the call releases the lock.
    column = ["0335201234", "ＴＥＬ ０９０－１２３４－５６７８"] * 200_000
    state = {"busy": False, "stop": False, "overlaps": 0}

    def helper():
        while not state["stop"]:
            many(column[:5000])
            if state["busy"]:
                state["overlaps"] += 1

    interval = sys.getswitchinterval()
    sys.setswitchinterval(20)
    thread = threading.Thread(target=helper)
    try:
        thread.start()
        for _ in range(3):
            state["busy"] = True
            answers = many(column)
            state["busy"] = False
        state["stop"] = True
        thread.join()
    finally:
        state["stop"] = True
        sys.setswitchinterval(interval)
    assert answers == many(column)
    assert state["overlaps"] > 0


def test_reference_counts_and_memory_hold_steady_over_a_million_calls():
    text, number, written = "0335201234", b"09012345678", "ＴＥＬ ０３－３５２０－１２３４"
    answer = kobal.lookup(text)
    column = [text, None, written, 1.5] * 250
    counts = lambda: [sys.getrefcount(x) for x in (text, number, written, answer, None)]
    gc.collect()
    before = counts()
    tracemalloc.start()
    try:
        start = tracemalloc.get_traced_memory()[0]
        for _ in range(250_000):
            kobal.lookup(text)
            kobal.detect_carrier(number)
            kobal.normalise(written)
            kobal.lookup(written)
        for _ in range(1000):
            kobal.lookup_many(column)
        grown = tracemalloc.get_traced_memory()[0] - start
    finally:
        tracemalloc.stop()
    gc.collect()
    assert counts() == before
    assert grown < 10_000
