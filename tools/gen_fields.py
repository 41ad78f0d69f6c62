#!/usr/bin/env python3
"""Turns the library's answers and the ministry's allocation list into the C++ constants of fields/.

Every answer the tables can give is split into its fields by fields/data/ (carrier texts by
carrier-names.txt, fixed-line answers by prefectures.txt), and every six-digit key of the list gets
its area code length, unit charge area (MA) and operator. A text the data does not split, or splits
more than one way, stops the build with "file:line: error: ..."; the output is only replaced once
everything is valid. The list's keys are credited as the exchange data is (NOTICE):
出典：総務省「電気通信番号指定状況」（2010年1月4日現在）.
"""

import argparse
import csv
import os
import sys
import unicodedata

from gen_tables import (
    EXCHANGE_GROUPS,
    c_string,
    load_exchange,
    load_mobile,
    load_nine_digit,
    load_services,
    load_texts,
)
from table_format import ENCODING, SourceError, read_lines, read_records, write_atomically

LIST_COLUMNS = ["code_area", "MA", "key", "area_code", "local_code", "operator", "status", "note"]
# The companies whose keys make fixed-line answers, as the list spells them; the fields give their
# NFKC form (ASCII "NTT"). Number 0 is every other holder, and no key.
NTT_OPERATORS = ("ＮＴＴ東日本", "ＮＴＴ西日本")
AREA_CODE_LENGTHS = range(2, 6)
# Numbers of these prefixes are no fixed line; a list key among them would be formatted twice over.
NOT_FIXED_PREFIXES = ("0120", "0800", "0990", "0570", "050", "060", "070", "080", "090")
LEAD_COUNT = 1000  # the second to fourth digits of a key pick its block
BLOCK_SIZE = 100  # its fifth and sixth digits the entry in the block
ENTRY_AREA_BITS, ENTRY_OPERATOR_BITS = 2, 2
ENTRY_LIMIT = 1 << 16  # entries are uint16_t


def c_view(text):
    """A std::string_view of the bytes, or of a text's UTF-8; its size is given, as a view needs."""
    data = text.encode("utf-8") if isinstance(text, str) else text
    return f"std::string_view{{{c_string(data)}, {len(data)}}}" if data else "std::string_view{}"


def load_carrier_names(path, legend):
    """{text: (brand, region)} for every text of the carrier legend."""
    names = {}
    texts = {data.decode(ENCODING) for data in legend.values()}
    for line, (text, brand, region) in read_records(path, {3}):
        if text in names:
            raise SourceError(path, line, f"carrier text {text!r} given twice")
        if text not in texts:
            raise SourceError(path, line, f"{text!r} is no carrier text of the number blocks")
        rest = text.replace(brand, "", 1) if brand else text
        if brand and brand not in text:
            raise SourceError(path, line, f"brand {brand!r} does not stand in {text!r}")
        if region and (not brand or region not in rest):
            raise SourceError(path, line, f"region {region!r} does not stand in {text!r} beside its brand")
        names[text] = (brand, region)
    missing = sorted(texts - set(names))
    if missing:
        raise SourceError(path, 0, f"carrier texts without a line: {', '.join(repr(t) for t in missing)}")
    return names


def load_prefectures(path):
    prefectures = []
    for line, text in read_lines(path):
        if text in prefectures:
            raise SourceError(path, line, f"prefecture {text!r} given twice")
        prefectures.append(text)
    return prefectures


def split_place(name, prefectures, path):
    """(prefecture, place) of a fixed-line name: exactly one prefecture begins it."""
    splits = [(p, name[len(p):]) for p in prefectures if name.startswith(p) and len(name) > len(p)]
    if len(splits) != 1:
        raise SourceError(path, 0, f"place name {name!r} splits {len(splits)} ways by the listed prefectures, not one")
    return splits[0]


class Answers:
    """Every answer's Shift-JIS bytes and its fields: (class, prefecture, place, brand, region)."""

    def __init__(self):
        self.rows = {}

    def add(self, data, fields, path):
        known = self.rows.setdefault(data, fields)
        if known != fields:
            raise SourceError(path, 0, f"answer {data.decode(ENCODING)!r} stands for {known} and {fields}")


def collect_answers(tables_dir, data_dir):
    def src(name):
        return os.path.join(tables_dir, name)

    texts = load_texts(src("texts.txt"))
    prefectures = load_prefectures(os.path.join(data_dir, "prefectures.txt"))
    answers = Answers()
    for name, answer_class in (("Unknown", "kUnknown"), ("FreeDial", "kTollFree"), ("DialQ2", "kInformation")):
        answers.add(texts[name], (answer_class, "", "", "", ""), src("texts.txt"))
    for data in load_services(src("service-numbers.txt")).values():
        answers.add(data, ("kService", "", "", "", ""), src("service-numbers.txt"))

    legend, _ = load_mobile(src("mobile-carriers.txt"), src("mobile-blocks.txt"))
    carriers_path = os.path.join(data_dir, "carrier-names.txt")
    names = load_carrier_names(carriers_path, legend)
    for data in legend.values():
        brand, region = names[data.decode(ENCODING)]
        answers.add(data, ("kCarrier", "", "", brand, region), carriers_path)

    open_text, close_text = texts["FixedLineOpen"], texts["FixedLineClose"]
    fixed = []  # (name, the file it stands in)
    for group in EXCHANGE_GROUPS:
        path = src(f"exchange-{group}.txt")
        fixed += [(name, path) for name, _ in load_exchange(path, group)]
    for _, data in load_nine_digit(src("nine-digit.txt")):
        if not (data.startswith(open_text) and data.endswith(close_text)):
            raise SourceError(src("nine-digit.txt"), 0, f"{data.decode(ENCODING)!r} is no fixed-line answer")
        fixed.append((data[len(open_text) : len(data) - len(close_text)], src("nine-digit.txt")))
    for name, path in fixed:
        prefecture, place = split_place(name.decode(ENCODING), prefectures, path)
        answers.add(open_text + name + close_text, ("kFixedLine", prefecture, place, "", ""), path)
    return answers.rows


def read_list(path):
    """The rows of the ministry's list, every key checked: 0 and a second digit 1 to 9, split as
    area code and local code, a named MA."""
    try:
        with open(path, encoding="utf-8", newline="") as handle:
            rows = list(csv.reader(handle))
    except (OSError, UnicodeDecodeError) as err:
        raise SourceError(path, 0, str(err)) from err
    if not rows or rows[0] != LIST_COLUMNS:
        raise SourceError(path, 1, f"the header is not {','.join(LIST_COLUMNS)}")
    keys = {}
    for line, row in enumerate(rows[1:], start=2):
        if len(row) != len(LIST_COLUMNS):
            raise SourceError(path, line, f"expected {len(LIST_COLUMNS)} cells, got {len(row)}")
        cells = dict(zip(LIST_COLUMNS, row))
        key, area = cells["key"], cells["area_code"]
        if not (len(key) == 6 and key.isascii() and key.isdigit() and key[0] == "0" and key[1] != "0"):
            raise SourceError(path, line, f"key {key!r} is not 0 and five digits, the first not 0")
        if key.startswith(NOT_FIXED_PREFIXES):
            raise SourceError(path, line, f"key {key} begins like a number that is no fixed line")
        if area + cells["local_code"] != key or len(area) not in AREA_CODE_LENGTHS:
            raise SourceError(path, line, f"key {key} is not split as an area code of 2 to 5 digits and a local code")
        if not cells["MA"]:
            raise SourceError(path, line, f"key {key} has no MA")
        if key in keys:
            raise SourceError(path, line, f"key {key} given twice")
        keys[key] = (area, cells["MA"], cells["operator"])
    return keys


def operator_number(operator):
    return NTT_OPERATORS.index(operator) + 1 if operator in NTT_OPERATORS else 0


def key_entry(area_length, ma_number, operator):
    """A key's uint16_t: MA number + 1 (0: no key), operator number, area code length - 2."""
    entry = (ma_number + 1) << (ENTRY_OPERATOR_BITS + ENTRY_AREA_BITS)
    entry |= operator_number(operator) << ENTRY_AREA_BITS | (area_length - AREA_CODE_LENGTHS[0])
    if entry >= ENTRY_LIMIT:
        raise SourceError("list", 0, f"{ma_number + 1} MAs do not fit a key entry")
    return entry


def nine_digit_entry(keys, prefixes, list_path, nine_path):
    """The entry of the area code that begins every nine-digit number: the longest area code of
    the list that begins every prefix, with the one MA and the one NTT company of its keys."""
    areas = {area for area, _, _ in keys.values() if all(p.startswith(area) for p in prefixes)}
    if not prefixes or not areas:
        raise SourceError(nine_path, 0, "no area code of the list begins every nine-digit prefix")
    area = max(areas, key=len)
    if 9 - len(area) - 4 < 1:
        raise SourceError(nine_path, 0, f"area code {area} leaves no local code in nine digits")
    mas = {ma for a, ma, _ in keys.values() if a == area}
    operators = {op for a, _, op in keys.values() if a == area and op in NTT_OPERATORS}
    if len(mas) != 1 or len(operators) != 1:
        raise SourceError(list_path, 0, f"area code {area} has MAs {sorted(mas)} and NTT companies {sorted(operators)}")
    return area, mas.pop(), operators.pop()


def render(answers, keys, nine_digit, sources):
    mas = sorted({ma for _, ma, _ in keys.values()})
    ma_numbers = {ma: number for number, ma in enumerate(mas)}
    out = [
        "// Generated by tools/gen_fields.py from " + ", ".join(sources) + ". Do not edit.",
        "// The keys' split, charge areas and holders are the ministry's allocation list's (see NOTICE).",
        "#include <iterator>",
        "",
        '#include "fields/AnswerTable.h"',
        '#include "fields/KeyTable.h"',
        "",
        "namespace kobal::fields {",
        "namespace {",
        "",
        "constexpr AnswerFields kRows[] = {",
    ]
    for data in sorted(answers):
        answer_class, *views = answers[data]
        cells = ", ".join(c_view(v) for v in views)
        out.append(f"    {{{c_view(data)}, AnswerClass::{answer_class}, {cells}}},")
    out += [
        "};",
        "",
        "}  // namespace",
        "",
        "constexpr AnswerTable kAnswerTable = BuildAnswerTable(kRows);",
        "",
        f"const std::string_view kChargeAreas[{len(mas)}] = {{",
    ]
    out += [f"    {c_view(ma)}," for ma in mas]
    out += [
        "};",
        "const std::string_view kOperators[] = {std::string_view{}, "
        + ", ".join(c_view(unicodedata.normalize("NFKC", op)) for op in NTT_OPERATORS)
        + "};",
        f"static_assert(std::size(kOperators) == {len(NTT_OPERATORS) + 1});",
        "",
    ]
    blocks = {}
    for key, (area, ma, operator) in keys.items():
        lead = int(key[1:4])
        blocks.setdefault(lead, [0] * BLOCK_SIZE)[int(key[4:6])] = key_entry(len(area), ma_numbers[ma], operator)
    leads = sorted(blocks)
    out += [
        "// The numbers this generator works by are the ones KeyTable.h states.",
        f"static_assert(kKeyLeadCount == {LEAD_COUNT} && kKeyBlockSize == {BLOCK_SIZE});",
        f"static_assert(kEntryAreaBits == {ENTRY_AREA_BITS} && kEntryOperatorBits == {ENTRY_OPERATOR_BITS});",
        "const uint16_t kKeyLeads[kKeyLeadCount] = {  // block + 1, or 0",
    ]
    lead_numbers = [leads.index(lead) + 1 if lead in blocks else 0 for lead in range(LEAD_COUNT)]
    for start in range(0, LEAD_COUNT, 20):
        out.append("    " + ", ".join(str(n) for n in lead_numbers[start : start + 20]) + ",")
    out += ["};", "", f"const uint16_t kKeyBlocks[{len(leads)}][kKeyBlockSize] = {{"]
    for lead in leads:
        out.append(f"    {{  // 0{lead:03d}")
        for start in range(0, BLOCK_SIZE, 20):
            out.append("        " + ", ".join(str(e) for e in blocks[lead][start : start + 20]) + ",")
        out.append("    },")
    area, ma, operator = nine_digit
    out += [
        "};",
        "",
        f"const std::string_view kNineDigitAreaCode = {c_view(area)};",
        f"const uint16_t kNineDigitEntry = {key_entry(len(area), ma_numbers[ma], operator)};",
        "",
        "}  // namespace kobal::fields",
        "",
    ]
    return "\n".join(out)


def generate(tables_dir, data_dir, list_path):
    answers = collect_answers(tables_dir, data_dir)
    keys = read_list(list_path)
    nine_path = os.path.join(tables_dir, "nine-digit.txt")
    prefixes = [prefix for prefix, _ in load_nine_digit(nine_path)]
    nine_digit = nine_digit_entry(keys, prefixes, list_path, nine_path)
    sources = ["library/tables/*.txt", "fields/data/*.txt", "library/tables/sources/" + os.path.basename(list_path)]
    return render(answers, keys, nine_digit, sources)


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tables", required=True, help="folder of the library's UTF-8 table sources")
    parser.add_argument("--data", required=True, help="folder of the fields' data (fields/data)")
    parser.add_argument("--list", required=True, help="the ministry's allocation list (CSV)")
    parser.add_argument("--output", required=True, help="the C++ file to write")
    args = parser.parse_args(argv)
    try:
        content = generate(args.tables, args.data, args.list)
    except SourceError as err:
        print(err, file=sys.stderr)
        return 1
    write_atomically({args.output: content})
    return 0


if __name__ == "__main__":
    sys.exit(main())
