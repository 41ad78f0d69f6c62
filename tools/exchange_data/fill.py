"""Which keys of a table get a place: the quoted rows first, then every covered key that NTT held,
named after the MA the ministry's allocation list gives it."""

from dataclasses import dataclass, field

import table_format
from table_format import SourceError


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
    ntt_keys: dict = field(default_factory=dict)  # lead -> keys NTT held in the list
    not_in_plan: list = field(default_factory=list)  # keys the list does not have at all
    not_allocated: list = field(default_factory=list)  # keys the list shows unallocated
    not_ntt: list = field(default_factory=list)  # keys of other carriers, or reserved
    no_block: list = field(default_factory=list)  # (key, MA, prefecture) without a block here


def check_quoted_rows(table, quoted, coverage, blocks):
    order = [prefecture for prefecture, _ in blocks]
    previous = None
    for row in quoted:
        prefecture = table_format.prefecture_of(row.name)
        if prefecture not in order:
            raise SourceError(row.path, row.line, f"table {table} has no block for {prefecture}")
        outside = [key for key in row.keys if key[:4] not in coverage]
        if outside:
            raise SourceError(row.path, row.line, f"key {outside[0]} lies outside the covered leads of table {table}")
        if previous is not None:
            before, after = order.index(table_format.prefecture_of(previous.name)), order.index(prefecture)
            if after < before:
                raise SourceError(row.path, row.line, f"{prefecture} row stands after a row of a later block")
            if after == before and row.first_key <= previous.first_key:
                raise SourceError(row.path, row.line, f"first entry {row.first_key} does not ascend in its block")
        previous = row


def complete_leads(quoted, coverage):
    """Leads of which the quoted rows hold as many entries as the 2000 data set had."""
    counts = {}
    for row in quoted:
        for entry in table_format.entries(row.prefixes):
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
        keys = [f"{lead}{suffix:02d}" for suffix in range(100)]
        allocations = [inputs.allocations.get(key) for key in keys]
        result.ntt_keys[lead] = sum(1 for a in allocations if a is not None and a.held_by_ntt)
        if lead in complete:
            continue
        runs = []  # (MA, keys): a run ends where an NTT key of another MA comes between
        for key, allocation in zip(keys, allocations):
            if key in held:
                continue
            if allocation is None:
                result.not_in_plan.append(key)
            elif not allocation.allocated:
                result.not_allocated.append(key)
            elif not allocation.held_by_ntt:
                result.not_ntt.append(key)
            else:
                if not runs or runs[-1][0] != allocation.ma:
                    runs.append((allocation.ma, []))
                runs[-1][1].append(key)
        for ma, keys in runs:
            prefecture = inputs.prefectures[ma]
            if prefecture not in block_names:
                result.no_block += [(key, ma, prefecture) for key in keys]
                continue
            group = Group(prefecture, ma, lead, keys)
            if group.name not in checked:
                first = inputs.allocations[keys[0]]
                table_format.check_place_name(group.name, first.path, first.line)
                checked.add(group.name)
            result.groups.append(group)
    return result
