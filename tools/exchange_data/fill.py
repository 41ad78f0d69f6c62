"""Which keys of a table get a place: the quoted rows first, then the MA of every covered key."""

from dataclasses import dataclass, field

import datamodel
from datamodel import InputError


@dataclass
class Group:
    """A run of keys of one lead that one MA serves; it becomes rows named prefecture + MA."""

    prefecture: str
    ma: str
    lead: str
    keys: list  # ascending

    @property
    def name(self):
        return self.prefecture + self.ma


@dataclass
class TableFill:
    table: int
    quoted: list  # the table's quoted rows, in table order
    groups: list  # Group, ascending by first key
    complete_leads: list  # leads whose keys are all in quoted rows
    unplaced: list = field(default_factory=list)  # keys the MA source does not place
    no_block: list = field(default_factory=list)  # (key, MA, prefecture) without a block here


def ma_of(key, prefixes):
    """The MA of the longest prefix of `key` that the source holds, or None."""
    for length in range(len(key), 1, -1):
        name = prefixes.get(key[:length])
        if name is not None:
            return name
    return None


def check_quoted_rows(table, quoted, coverage, blocks):
    order = [prefecture for prefecture, _ in blocks]
    previous = None
    for row in quoted:
        prefecture = datamodel.prefecture_of(row.name)
        if prefecture not in order:
            raise InputError(row.path, row.line, f"table {table} has no block for {prefecture}")
        outside = [key for key in row.keys if key[:4] not in coverage]
        if outside:
            raise InputError(row.path, row.line, f"key {outside[0]} lies outside the covered leads of table {table}")
        if previous is not None:
            before, after = order.index(datamodel.prefecture_of(previous.name)), order.index(prefecture)
            if after < before:
                raise InputError(row.path, row.line, f"{prefecture} row stands after a row of a later block")
            if after == before and row.first_key <= previous.first_key:
                raise InputError(row.path, row.line, f"first entry {row.first_key} does not ascend in its block")
        previous = row


def complete_leads(quoted, coverage):
    """Leads of which the quoted rows hold as many entries as the 2000 data set had."""
    counts = {}
    for row in quoted:
        for entry in datamodel.entries(row.prefixes):
            counts[entry[:4]] = counts.get(entry[:4], 0) + 1
    return [lead for lead, entries in coverage.items() if counts.get(lead) == entries]


def fill_table(table, inputs):
    quoted = [row for row in inputs.quoted if row.table == table]
    coverage = inputs.coverage[table]
    blocks = inputs.layout[table].blocks
    check_quoted_rows(table, quoted, coverage, blocks)
    held = {key for row in quoted for key in row.keys}
    complete = complete_leads(quoted, coverage)
    result = TableFill(table, quoted, [], complete)
    block_names = {prefecture for prefecture, _ in blocks}
    checked = set()
    for lead in sorted(coverage):
        if lead in complete:
            continue
        runs = []  # (MA, keys): a run ends where a key of another MA comes between
        for suffix in range(100):
            key = f"{lead}{suffix:02d}"
            if key in held:
                continue
            ma = ma_of(key, inputs.geocoding.prefixes)
            if ma is None:
                result.unplaced.append(key)
                continue
            if not runs or runs[-1][0] != ma:
                runs.append((ma, []))
            runs[-1][1].append(key)
        for ma, keys in runs:
            prefecture = inputs.prefectures[ma]
            if prefecture not in block_names:
                result.no_block += [(key, ma, prefecture) for key in keys]
                continue
            group = Group(prefecture, ma, lead, keys)
            if group.name not in checked:
                datamodel.check_place_name(group.name, *inputs.geocoding.lines[ma])
                checked.add(group.name)
            result.groups.append(group)
    return result
