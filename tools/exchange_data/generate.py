#!/usr/bin/env python3
"""Builds library/tables/exchange-N.txt and docs/exchange-data.md from library/tables/sources/.

Rules, in order: only keys of the covered leads get a row; leads the quoted rows give completely
get nothing more; every other key that the ministry's allocation list shows held by NTT goes to a
row named after the prefecture and MA the list gives it, and the rest answer "不明"; no key of a
quoted row is added elsewhere; rows have the data model's form, stand in the table's prefecture
blocks ascending by first entry, and the quoted rows keep their stated positions where the order
allows. Bad input stops it with "file:line: error: ..." before anything is written.
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))  # table_format
import fill  # noqa: E402  (this and the imports below are found through the path above)
import ordering  # noqa: E402
import output  # noqa: E402
import report  # noqa: E402
import sources  # noqa: E402
from table_format import SourceError, write_atomically  # noqa: E402

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
GENERATED_TABLES = range(1, 8)  # tables 8 and 9 are empty and have no source file


def build(sources_dir):
    """{table: (TableFill, TableRows, TableFigures)} and the inputs they came from."""
    inputs = sources.load_all(sources_dir)
    results = {}
    for table in sources.TABLES:
        table_fill = fill.fill_table(table, inputs)
        placed = ordering.place_rows(table_fill, inputs.layout[table].blocks)
        results[table] = (table_fill, placed, report.figures_of(placed, inputs.coverage[table]))
    return inputs, results


def generated_files(inputs, results, tables_dir, report_path):
    files = {
        os.path.join(tables_dir, f"exchange-{table}.txt"): output.render_table_source(table, results[table][1])
        for table in GENERATED_TABLES
    }
    files[report_path] = report.render(results, inputs)
    return files


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--sources", default=os.path.join(ROOT, "library", "tables", "sources"))
    parser.add_argument("--tables", default=os.path.join(ROOT, "library", "tables"))
    parser.add_argument("--report", default=os.path.join(ROOT, "docs", "exchange-data.md"))
    parser.add_argument("--check", action="store_true", help="only tell whether the files are current")
    parser.add_argument("--quiet", action="store_true", help="do not print the report")
    args = parser.parse_args(argv)
    try:
        inputs, results = build(args.sources)
    except SourceError as err:
        print(err, file=sys.stderr)
        return 1
    files = generated_files(inputs, results, args.tables, args.report)
    if args.check:
        stale = output.stale_files(files)
        for path in stale:
            print(f"{path}: error: differs from what tools/exchange_data/generate.py makes", file=sys.stderr)
        return 1 if stale else 0
    write_atomically(files)
    if not args.quiet:
        print(files[args.report], end="")
    return 0


if __name__ == "__main__":
    sys.exit(main())
