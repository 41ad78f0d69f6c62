"""A table answered on a Dask cluster of two worker processes, a partition at a time through
parse_many, is what parse_many gives on the whole table; the workers use this build's module."""

import concurrent.futures
import os
import pathlib
import subprocess

import numpy as np
import pandas as pd
import pytest

import kobal

dd = pytest.importorskip("dask.dataframe", reason="dask is not installed (Debian's python3-dask)")
distributed = pytest.importorskip(
    "distributed", reason="dask.distributed is not installed (Debian's python3-distributed)")

ROWS = 40_000
CLUSTER_START_SECONDS = 120


def mix_of_rows():
    """The benchmarks' number mix where it is built, else numbers of every kind; some written as
    people write them, and gaps."""
    maker = pathlib.Path(os.environ.get("KOBAL_BENCH_NUMBERS", ""))
    if maker.is_file():
        numbers = subprocess.run([maker, str(ROWS)], capture_output=True, text=True,
                                 check=True).stdout.splitlines()
    else:
        numbers = [f"0{n % 9 + 1}{n * 7919 % 10**8:08d}"[:10 + n % 2] for n in range(ROWS)]
    rows = list(numbers)
    for i in range(0, ROWS, 7):
        rows[i] = f"TEL {numbers[i][:3]}-{numbers[i][3:]}"
    for i in range(3, ROWS, 101):
        rows[i] = None if i % 2 else np.nan
    return rows


def answer_partition(part):
    return pd.DataFrame(kobal.parse_many(part["tel"]), index=part.index)


@pytest.fixture(scope="module")
def client():
    # Started in a thread, so that a cluster that never comes up fails the test in good time.
    start = lambda: distributed.LocalCluster(n_workers=2, processes=True, threads_per_worker=1,
                                             dashboard_address=None)
    with concurrent.futures.ThreadPoolExecutor(1) as pool:
        try:
            cluster = pool.submit(start).result(timeout=CLUSTER_START_SECONDS)
        except concurrent.futures.TimeoutError:
            pytest.fail(f"the Dask cluster did not start within {CLUSTER_START_SECONDS} s")
    with cluster, distributed.Client(cluster) as dask_client:
        yield dask_client


def test_the_workers_import_this_build_s_module(client):
    files = client.run(lambda: __import__("kobal").__file__)
    assert len(files) == 2 and set(files.values()) == {kobal.__file__}


def test_a_table_answered_on_the_cluster_is_parse_many_s(client):
    table = pd.DataFrame({"tel": pd.Series(mix_of_rows(), dtype=object), "id": range(ROWS)})
    ddf = dd.from_pandas(table, npartitions=8)
    meta = pd.DataFrame({name: pd.Series(dtype=object) for name in kobal.Answer._fields})
    answered = ddf.map_partitions(answer_partition, meta=meta).compute()
    expected = pd.DataFrame(kobal.parse_many(table["tel"]))
    pd.testing.assert_frame_equal(answered, expected)
    assert (answered["status"] == "missing").sum() == len(range(3, ROWS, 101))
