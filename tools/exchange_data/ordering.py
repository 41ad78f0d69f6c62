"""Turns a table's quoted rows and MA groups into rows in table order, at the stated positions."""

import bisect
import math
from dataclasses import dataclass, field

import table_format
from table_format import SourceError


@dataclass
class Segment:
    """The keys of one group that fall between two quoted rows of its block."""

    group: object
    gap: int  # the number of the block's quoted rows whose first entry comes before these keys
    keys: list
    rows: int


@dataclass
class Row:
    name: str
    prefixes: str
    prefecture: str
    keys: list
    quoted: object = None  # the QuotedRow it repeats, None for a row made from MA data
    segment: Segment | None = None

    @property
    def irregular(self):
        return self.quoted is not None and self.quoted.irregular


@dataclass
class Placement:
    row: object  # QuotedRow
    stated: int
    actual: int


@dataclass
class TableRows:
    table: int
    rows: list
    placements: list = field(default_factory=list)


def chunks(keys, count):
    """`keys` cut into `count` consecutive runs of sizes that differ by at most one."""
    size, larger = divmod(len(keys), count)
    runs, start = [], 0
    for index in range(count):
        end = start + size + (1 if index < larger else 0)
        runs.append(keys[start:end])
        start = end
    return runs


def quoted_of_block(quoted, prefecture):
    return [row for row in quoted if table_format.prefecture_of(row.name) == prefecture]


def make_segments(fill, blocks):
    segments = []
    for prefecture, _ in blocks:
        bounds = [row.first_key for row in quoted_of_block(fill.quoted, prefecture)]
        for group in (g for g in fill.groups if g.prefecture == prefecture):
            runs = {}
            for key in group.keys:
                runs.setdefault(bisect.bisect_left(bounds, key), []).append(key)
            for gap, keys in runs.items():
                segments.append(Segment(group, gap, keys, math.ceil(len(keys) / table_format.MAX_ENTRIES)))
    return segments


def arrange(fill, blocks, segments):
    """Blocks in table order; within one, rows ascend by first entry around the quoted rows,
    save the made rows moved to keep a quoted row at its position."""
    rows = []
    for prefecture, _ in blocks:
        quoted = quoted_of_block(fill.quoted, prefecture)
        for gap in range(len(quoted) + 1):
            made = [
                Row(s.group.name, "".join(";" + k for k in run), prefecture, run, segment=s)
                for s in segments
                if s.group.prefecture == prefecture and s.gap == gap
                for run in chunks(s.keys, s.rows)
            ]
            rows += sorted(made, key=lambda row: row.keys[0])
            if gap < len(quoted):
                q = quoted[gap]
                rows.append(Row(q.name, q.prefixes, prefecture, q.keys, quoted=q))
    return keep_positions(rows, fill.quoted)


def keep_positions(rows, quoted):
    """Where more rows ascend before a positioned quoted row than its position allows, the made
    rows just before it, as many as stand too many, move to just after it: they break the
    ascending order once, as rows of the 2000 tables did, and it stands where it stood."""
    for anchor in (q for q in quoted if q.position is not None):
        index = index_of(rows, anchor)
        start = index
        while (
            index - start < index + 1 - anchor.position
            and start > 0
            and rows[start - 1].quoted is None
            and rows[start - 1].prefecture == rows[index].prefecture
        ):
            start -= 1
        if start < index:
            rows = rows[:start] + [rows[index]] + rows[start:index] + rows[index + 1 :]
    return rows


def spread(span, extra):
    """Gives `extra` more rows to the segments of `span`, always to the one whose rows are longest."""
    while extra > 0:
        open_segments = [s for s in span if s.rows < len(s.keys)]
        if not open_segments:
            return
        widest = max(open_segments, key=lambda s: math.ceil(len(s.keys) / s.rows))
        widest.rows += 1
        extra -= 1


def index_of(rows, quoted_row):
    return next(i for i, row in enumerate(rows) if row.quoted is quoted_row)


def place_rows(fill, blocks):
    segments = make_segments(fill, blocks)
    rows = arrange(fill, blocks, segments)
    result = TableRows(fill.table, rows)
    previous = -1
    for anchor in (q for q in fill.quoted if q.position is not None):
        index = index_of(rows, anchor)
        if index + 1 < anchor.position:
            span = []
            for row in rows[previous + 1 : index]:
                if row.segment is not None and all(s is not row.segment for s in span):
                    span.append(row.segment)
            spread(span, anchor.position - (index + 1))
            rows = arrange(fill, blocks, segments)
            index = index_of(rows, anchor)
        result.placements.append(Placement(anchor, anchor.position, index + 1))
        previous = index
    result.rows = rows
    check_rows(result, fill)
    return result


def check_rows(result, fill):
    """Every made row has the data model's form, every quoted key keeps its stated answer (the
    earliest quoted row holding it), and no quoted row is left without a key to answer."""
    for row in result.rows:
        if row.quoted is None:
            table_format.check_prefix_list(row.prefixes, result.table, False, "<made row>", 0)
    first_holder = {}
    for row in result.rows:
        for key in row.keys:
            first_holder.setdefault(key, row)
    for number, quoted in enumerate(fill.quoted):
        answered = False
        for key in quoted.keys:
            holder = first_holder[key]
            answered |= holder.quoted is quoted
            earlier = next((q for q in fill.quoted[:number] if key in q.keys), None)
            if holder.quoted is not (earlier or quoted):
                raise SourceError(quoted.path, quoted.line, f"its key {key} would be answered by {holder.name}")
        if not answered:
            raise SourceError(quoted.path, quoted.line, "every key of it is answered by an earlier row")
