"""The data report: what the generated tables hold, beside the figures of the 2000 data set."""

from dataclasses import dataclass

import table_format

# Whole-data-set figures of 2000 that no single table's line gives.
REFERENCE_OUT_OF_ORDER, REFERENCE_NEVER_ANSWERING, REFERENCE_SHARED_KEYS = 19, 42, 61

CREDIT = "出典：総務省「電気通信番号指定状況」（2010年1月4日現在）"

HOW_ROWS_ARE_MADE = """## How the rows are made

1. Only the six-digit keys of the four-digit leads in `coverage.txt` get a row; every other
   number answers "不明", and tables 8 and 9 stay empty.
2. The quoted rows (`quoted-rows.txt`) are kept verbatim. A lead of which they hold as many
   entries as it had in 2000 (0112, and 0551 to 0556 of table 5) is complete: nothing is added.
3. Every other key of a covered lead gets a made row only if the ministry's allocation list
   (`mic-fixed-2010-01-04.csv`) shows it held by ＮＴＴ東日本 or ＮＴＴ西日本, in use (使用中) or
   to be used (使用予定). Keys the list does not have, keys it shows unallocated (未使用) and keys
   of other carriers or reserved (使用不可) answer "不明". A key that a quoted row holds gets no
   made row, so no made row can take an answer from a quoted row.
4. A made row is named prefecture + MA: the MA the list gives for the key, the prefecture that
   `ma-prefecture.tsv` gives for the MA ("北海道千歳", "東京都武蔵野三鷹").
5. The keys of one lead that one MA serves without an NTT key of another MA between them form a
   run; a run is cut where a quoted row of the same block has its first entry, then cut evenly
   into rows of at most 26 entries.
6. Rows stand in the table's prefecture blocks in the order of `layout.txt`, ascending by first
   entry within a block, the quoted rows among them in their given order. Where a quoted row
   has a stated position and fewer rows come before it, the runs between it and the previous
   positioned row are cut into more, shorter rows until it stands there. Where more rows come
   before it, the made rows directly before it, as many as stand too many, move to just after
   it, breaking the ascending order once; where a quoted row among them keeps it from its
   position all the same, the table's section below says so.
7. A key whose MA lies in a prefecture without a block in that table is left out (there is no
   block whose neighbourhood would justify it) and listed below.
"""

HOW_FAR_FROM_2000 = """The list is of 2010-01-04 and gives no date of allocation. It cannot tell a key that NTT
already held in 2000 from one allocated to it between 2000 and 2010, and a key that NTT gave up
in those years, or that the 2010 plan no longer has, is not NTT's in it. So a lead that answers
more keys than it had entries in 2000 holds keys added since, and one that answers fewer lost
some; both may have happened within one lead, and the two cannot be told apart key by key. The
per-lead figures of 2000 count entries, so a key held twice counts twice there. Every made
answer names the MA that served the key in 2010; the 2000 key set is not rebuilt exactly."""

PROVENANCE = (
    "The exchange areas known exactly from the 2000 numbering (all of table 5 and a few quoted "
    "rows) are kept as they stood; every other covered number that NTT held is named after the "
    "unit charge area (MA) that the ministry's allocation list gives it: " + CREDIT + ".",
    "An MA spans several exchanges, so those answers name the charge area rather than the "
    "exchange; a number that NTT did not hold on 2010-01-04 answers \"不明\".",
)


@dataclass
class TableFigures:
    table: int
    rows: int
    entries: int
    distinct: int
    exchange_level: int  # keys whose answer is a quoted row
    ma_level: int  # keys whose answer is a row made from MA data
    never_answering: int  # rows every key of which an earlier row holds
    out_of_order: int  # rows whose first entry is below the one before it in the block
    shared_keys: int  # keys that more than one row holds
    blocks: dict  # prefecture -> rows
    lead_entries: dict  # lead -> entries
    lead_keys: dict  # lead -> keys answered


def figures_of(table_rows, coverage):
    rows = table_rows.rows
    answered, lead_entries, lead_keys, blocks = {}, {}, {}, {}
    never, out_of_order, shared = 0, 0, set()
    for index, row in enumerate(rows):
        new = [key for key in row.keys if key not in answered]
        shared.update(key for key in row.keys if key in answered)
        never += not new
        for key in new:
            answered[key] = row
            lead_keys[key[:4]] = lead_keys.get(key[:4], 0) + 1
        for entry in table_format.entries(row.prefixes):
            lead_entries[entry[:4]] = lead_entries.get(entry[:4], 0) + 1
        blocks[row.prefecture] = blocks.get(row.prefecture, 0) + 1
        before = rows[index - 1] if index else None
        if before is not None and before.prefecture == row.prefecture and row.keys[0] < before.keys[0]:
            out_of_order += 1
    exchange = sum(1 for row in answered.values() if row.quoted is not None)
    return TableFigures(
        table_rows.table,
        len(rows),
        sum(lead_entries.values()),
        len(answered),
        exchange,
        len(answered) - exchange,
        never,
        out_of_order,
        len(shared),
        blocks,
        {lead: lead_entries.get(lead, 0) for lead in sorted(coverage)},
        {lead: lead_keys.get(lead, 0) for lead in sorted(coverage)},
    )


def side(ours, reference):
    return f"{ours} ({reference})"


def render(results, inputs):
    """`results`: {table: (TableFill, TableRows, TableFigures)} for tables 1 to 9."""
    out = [
        "# Fixed-line exchange data",
        "",
        "Generated by `tools/exchange_data/generate.py` from `library/tables/sources/`; do not edit.",
        "",
        *PROVENANCE,
        "",
        "Figures are this data set's, with those of the 2000 data set in brackets. NTT keys counts the",
        "keys of the covered leads that the 2010 list shows held by NTT; keys answering, those that",
        "answer a place.",
        "",
        "| Table | Rows | Entries | Distinct keys | NTT keys 2010 | Exchange level | MA level | Keys answering |",
        "|---|---|---|---|---|---|---|---|",
    ]
    distinct = reference = ntt = possible = 0
    for table, (fill, _, fig) in results.items():
        ref = inputs.layout[table]
        table_possible = 100 * len(inputs.coverage[table])
        table_ntt = sum(fill.ntt_keys.values())
        distinct, reference = distinct + fig.distinct, reference + ref.distinct
        ntt, possible = ntt + table_ntt, possible + table_possible
        out.append(
            f"| {table} | {side(fig.rows, ref.rows)} | {side(fig.entries, ref.entries)} | "
            f"{side(fig.distinct, ref.distinct)} | {table_ntt} | {fig.exchange_level} | {fig.ma_level} | "
            f"{fig.distinct} of {table_possible} |"
        )
    figures = [fig for _, _, fig in results.values()]
    fills = [fill for fill, _, _ in results.values()]
    out += [
        "",
        f"Keys of the covered leads: {possible}. NTT held {ntt} of them on 2010-01-04 and {distinct} answer a "
        "place (keys of complete leads that no quoted row holds answer \"不明\" whoever held them); the 2000 "
        f"data set held {reference} distinct keys.",
        "Keys of the covered leads, complete ones aside, that answer \"不明\" because NTT did not hold "
        f"them: {sum(len(f.not_allocated) for f in fills)} unallocated, "
        f"{sum(len(f.not_ntt) for f in fills)} of other carriers or reserved, "
        f"{sum(len(f.not_in_plan) for f in fills)} not numbers of the plan.",
        "Across all tables: rows out of ascending order in their block "
        f"{side(sum(f.out_of_order for f in figures), REFERENCE_OUT_OF_ORDER)}, rows that never answer "
        f"{side(sum(f.never_answering for f in figures), REFERENCE_NEVER_ANSWERING)}, keys held by more than "
        f"one row {side(sum(f.shared_keys for f in figures), REFERENCE_SHARED_KEYS)}.",
        "",
        "## How far this stands from 2000",
        "",
        *distance_lines(results, inputs),
        "",
        HOW_FAR_FROM_2000,
        "",
        HOW_ROWS_ARE_MADE,
    ]
    for table, (fill, placed, fig) in results.items():
        out += render_table(table, fill, placed, fig, inputs)
    return "\n".join(out) + "\n"


def distance_lines(results, inputs):
    """Per table and in all: the keys answering against the 2000 figures, the leads above and below."""
    planned = {key[:4] for key in inputs.allocations}
    out = [
        "| Table | Distinct keys 2000 | Keys answering | Difference | Leads above their 2000 entries | Leads below |",
        "|---|---|---|---|---|---|",
    ]
    totals = [0, 0, 0, 0, []]  # 2000 keys, keys answering, leads above, leads, leads below

    def line(name, reference, distinct, above, leads, below):
        return (
            f"| {name} | {reference} | {distinct} | {distinct - reference:+d} | {above} of {leads} | "
            f"{', '.join(below) or 'none'} |"
        )

    for table, (_, _, fig) in results.items():
        coverage = inputs.coverage[table]
        if not coverage:
            continue
        above = sum(1 for lead in coverage if fig.lead_keys[lead] > coverage[lead])
        below = sorted(lead for lead in coverage if fig.lead_keys[lead] < coverage[lead])
        figures = (inputs.layout[table].distinct, fig.distinct, above, len(coverage), below)
        out.append(line(table, *figures))
        totals = [total + figure for total, figure in zip(totals, figures)]
    out.append(line("all", *totals))
    gone = [lead for table in results for lead in sorted(inputs.coverage[table]) if lead not in planned]
    return out + ["", f"Covered leads of which the 2010 list has no key at all: {', '.join(gone) or 'none'}."]


def render_table(table, fill, placed, fig, inputs):
    ref = inputs.layout[table]
    out = [f"## Table {table} (numbers 0{table})", ""]
    if not ref.blocks:
        return out + ["No rows: every number of this group answers \"不明\".", ""]
    blocks = ", ".join(f"{p} {side(fig.blocks.get(p, 0), rows)}" for p, rows in ref.blocks)
    out += [
        f"- Prefecture blocks, rows: {blocks}.",
        f"- Rows that never answer: {fig.never_answering}; rows out of ascending order: {fig.out_of_order}.",
    ]
    if fill.complete_leads:
        out.append(f"- Leads kept exactly as quoted: {', '.join(sorted(fill.complete_leads))}.")
    kept = [p.stated for p in placed.placements if p.actual == p.stated]
    if kept:
        listed = f"all {len(kept)}" if len(kept) > 3 and len(kept) == len(placed.placements) else ", ".join(map(str, kept))
        out.append(f"- Quoted rows at their stated positions: {listed}.")
    for placement in placed.placements:
        if placement.actual != placement.stated:
            out.append(
                f"- Quoted row {placement.stated} ({placement.row.name}) stands at row {placement.actual}: "
                "more rows stand before it than moving the made rows directly before it can take away."
            )
    out.append(
        f"- Keys answering \"不明\" because NTT did not hold them: {len(fill.not_allocated)} unallocated, "
        f"{len(fill.not_ntt)} of other carriers or reserved, {len(fill.not_in_plan)} not numbers of the plan."
    )
    left = ", ".join(f"{key} ({ma}, {prefecture})" for key, ma, prefecture in fill.no_block)
    out.append(f"- Keys left out because their MA's prefecture has no block here: {left or 'none'}.")
    out += ["", "| Lead | Entries 2000 | NTT keys 2010 | Keys answering | Entries now |", "|---|---|---|---|---|"]
    coverage = inputs.coverage[table]
    for lead in sorted(coverage):
        mark = " (complete)" if lead in fill.complete_leads else ""
        out.append(
            f"| {lead}{mark} | {coverage[lead]} | {fill.ntt_keys[lead]} | {fig.lead_keys[lead]} | "
            f"{fig.lead_entries[lead]} |"
        )
    return out + [""]
