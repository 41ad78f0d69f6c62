"""Readers of the exchange generator's inputs; each refuses a bad line with its file and line."""

import csv
import os
import re
from dataclasses import dataclass, field

import table_format
from table_format import SourceError, fields, parse_flag, read_lines

ALLOCATIONS = "mic-fixed-2010-01-04.csv"
MA_PREFECTURES = "ma-prefecture.tsv"
QUOTED_ROWS = "quoted-rows.txt"
COVERAGE = "coverage.txt"
LAYOUT = "layout.txt"
TABLES = range(1, 10)  # group digits; 8 and 9 have no rows


@dataclass
class QuotedRow:
    table: int
    position: int | None  # counted from 1 within the table, None where it is not known
    name: str
    prefixes: str
    irregular: bool
    path: str
    line: int
    keys: list = field(default_factory=list)  # the keys it holds, in list order

    @property
    def first_key(self):
        return self.keys[0]


ALLOCATION_COLUMNS = ["code_area", "MA", "key", "area_code", "local_code", "operator", "status", "note"]
STATUSES = ("使用中", "使用予定", "使用不可", "未使用")
NTT_OPERATORS = ("ＮＴＴ東日本", "ＮＴＴ西日本")
HELD_STATUSES = ("使用中", "使用予定")


@dataclass
class Allocation:
    """One key of the ministry's allocation list: its MA, the carrier holding it and its status."""

    ma: str
    operator: str
    status: str
    path: str
    line: int

    @property
    def held_by_ntt(self):
        return self.operator in NTT_OPERATORS and self.status in HELD_STATUSES

    @property
    def allocated(self):
        return self.status != "未使用"


@dataclass
class TableLayout:
    rows: int
    entries: int
    distinct: int
    blocks: list  # [(prefecture, rows of the 2000 data set)], in table order


def parse_table(path, number, text):
    if not re.fullmatch(r"[1-9]", text):
        raise SourceError(path, number, f"table {text!r} is not a group digit 1 to 9")
    return int(text)


def load_ma_prefectures(path):
    prefectures = {}
    for number, line in read_lines(path):
        name, prefecture = fields(path, number, line, {2}, separator="\t")
        if not name:
            raise SourceError(path, number, "empty MA name")
        if prefecture not in table_format.ALL_PREFECTURES:
            raise SourceError(path, number, f"{prefecture!r} is not a prefecture")
        if name in prefectures and prefectures[name] != prefecture:
            raise SourceError(path, number, f"MA {name} given as {prefectures[name]} and {prefecture}")
        prefectures[name] = prefecture
    return prefectures


def load_allocations(path, prefectures, prefectures_path):
    """{key: Allocation} from the ministry's CSV list: a header line, then one line per key."""
    allocations = {}
    header_seen = False
    for number, line in read_lines(path):
        parts = next(csv.reader([line]))
        if not header_seen:
            if parts != ALLOCATION_COLUMNS:
                raise SourceError(path, number, f"header is not {','.join(ALLOCATION_COLUMNS)}")
            header_seen = True
            continue
        if len(parts) != len(ALLOCATION_COLUMNS):
            raise SourceError(path, number, f"expected {len(ALLOCATION_COLUMNS)} columns, got {len(parts)}")
        _, ma, key, area_code, local_code, operator, status, _ = parts
        if not re.fullmatch(r"0\d{5}", key):
            raise SourceError(path, number, f"key {key!r} is not six digits beginning with 0")
        if area_code + local_code != key:
            raise SourceError(path, number, f"area code {area_code!r} and local code {local_code!r} do not make {key}")
        if ma not in prefectures:
            raise SourceError(path, number, f"MA {ma!r} has no prefecture in {prefectures_path}")
        if status not in STATUSES:
            raise SourceError(path, number, f"status {status!r} is not one of {', '.join(STATUSES)}")
        if key in allocations:
            raise SourceError(path, number, f"key {key} given twice")
        allocations[key] = Allocation(ma, operator, status, path, number)
    if not header_seen:
        raise SourceError(path, 0, "no header line")
    return allocations


def load_quoted_rows(path):
    rows = []
    for number, line in read_lines(path):
        parts = fields(path, number, line, {4, 5})
        table = parse_table(path, number, parts[0])
        if parts[1] == "-":
            position = None
        elif re.fullmatch(r"[1-9]\d*", parts[1]):
            position = int(parts[1])
        else:
            raise SourceError(path, number, f"position {parts[1]!r} is not a row number or '-'")
        irregular = parse_flag(parts[4] if len(parts) == 5 else None, path, number)
        row = QuotedRow(table, position, parts[2], parts[3], irregular, path, number)
        table_format.check_place_name(row.name, path, number)
        table_format.check_prefix_list(row.prefixes, table, row.irregular, path, number)
        row.keys = table_format.held_keys(row.prefixes)
        previous = [r for r in rows if r.table == table and r.position is not None]
        if position is not None and previous and previous[-1].position >= position:
            raise SourceError(path, number, f"position {position} is not after {previous[-1].position}")
        rows.append(row)
    return rows


def load_coverage(path):
    """{table: {lead: entries of the 2000 data set}}, leads in the order given."""
    coverage = {table: {} for table in TABLES}
    for number, line in read_lines(path):
        table_text, lead, entries = fields(path, number, line, {3})
        table = parse_table(path, number, table_text)
        if not re.fullmatch(rf"0{table}\d\d", lead):
            raise SourceError(path, number, f"lead {lead!r} is not 0{table} and two digits")
        if lead in coverage[table]:
            raise SourceError(path, number, f"lead {lead} given twice")
        if not re.fullmatch(r"\d+", entries):
            raise SourceError(path, number, f"entry count {entries!r} is not a number")
        coverage[table][lead] = int(entries)
    return coverage


def load_layout(path):
    layout = {}
    for number, line in read_lines(path):
        table_text, *figures, blocks_text = fields(path, number, line, {5})
        table = parse_table(path, number, table_text)
        if table in layout:
            raise SourceError(path, number, f"table {table} given twice")
        if not all(re.fullmatch(r"\d+", f) for f in figures):
            raise SourceError(path, number, f"figures {figures} are not numbers")
        blocks = []
        for block in filter(None, (b.strip() for b in blocks_text.split(","))):
            match = re.fullmatch(r"(\S+) (\d+)", block)
            if not match or match.group(1) not in table_format.TABLE_PREFECTURES:
                raise SourceError(path, number, f"block {block!r} is not a table prefecture and a row count")
            if any(match.group(1) == p for p, _ in blocks):
                raise SourceError(path, number, f"{match.group(1)} has two blocks")
            blocks.append((match.group(1), int(match.group(2))))
        layout[table] = TableLayout(*(int(f) for f in figures), blocks)
    missing = [t for t in TABLES if t not in layout]
    if missing:
        raise SourceError(path, 0, f"no line for table {missing[0]}")
    return layout


@dataclass
class Inputs:
    allocations: dict  # key -> Allocation
    prefectures: dict
    quoted: list
    coverage: dict
    layout: dict


def load_all(folder):
    def path(name):
        return os.path.join(folder, name)

    prefectures = load_ma_prefectures(path(MA_PREFECTURES))
    return Inputs(
        load_allocations(path(ALLOCATIONS), prefectures, path(MA_PREFECTURES)),
        prefectures,
        load_quoted_rows(path(QUOTED_ROWS)),
        load_coverage(path(COVERAGE)),
        load_layout(path(LAYOUT)),
    )
