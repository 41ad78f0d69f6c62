#!/usr/bin/env python3
"""Turns the UTF-8 table sources of library/tables/ into C++ constants holding Shift-JIS bytes.

Every source line is checked by the rules of tools/table_format.py; a bad line stops the build with
"file:line: error: ...", and the output file is only replaced once everything is valid.
"""

import argparse
import os
import re
import sys

from table_format import (
    MAX_RESULT_BYTES,
    SourceError,
    check_place_name,
    check_prefix_list,
    encode,
    parse_flag,
    read_records,
    write_atomically,
)

FIXED_TEXTS = ("Unknown", "FreeDial", "DialQ2", "FixedLineOpen", "FixedLineClose")
WHOLE_ANSWERS = ("Unknown", "FreeDial", "DialQ2")  # fixed texts that are an answer by themselves
EXCHANGE_GROUPS = range(1, 8)  # group digits 8 and 9 have no rows
SERVICE_FIRST, SERVICE_LAST = 100, 181
NINE_DIGIT_PREFIX = 5  # characters of a nine-digit prefix
MOBILE_GROUP_COUNT = 9
MOBILE_BLOCK_COUNT = 100  # blocks of a group: its fifth and sixth digits
MOBILE_CARRIER_LIMIT = 256  # block tables hold carrier numbers as uint8_t
MOBILE_LEADS = ("070", "090")  # every mobile group is one of these and a fourth digit
EXCHANGE_TABLE_COUNT = 10  # one slot per group digit 0 to 9
KEY_SYMBOLS = "0123456789;"  # every character a prefix list holds, in the order of their value
INDEX_SIZE = len(KEY_SYMBOLS) ** 4  # one slot per four characters after "0N"
NO_INDEXED_ROW = 255  # the index holds row numbers as uint8_t, and this where no row holds a key
INDEX_ROW_LIMIT = NO_INDEXED_ROW  # rows 0 to 254: a table of this many rows at most


def c_string(data):
    """A C++ literal of the bytes; non-ASCII as octal escapes so the file stays pure ASCII."""
    out = []
    for byte in data:
        char = chr(byte)
        if 0x20 <= byte < 0x7F and char not in '"\\?':
            out.append(char)
        else:
            out.append(f"\\{byte:03o}")
    return '"' + "".join(out) + '"'


def c_answer(data):
    """An AnswerText of the bytes: the literal and its size, which the compiled file asserts."""
    return f"{{{c_string(data)}, {len(data)}}}"


def c_count(array):
    """The number of elements of a C++ array, as the int32_t the tables hold counts in."""
    return f"static_cast<int32_t>(std::size({array}))"


def load_texts(path):
    texts = {}
    for line, (name, text) in read_records(path, {2}):
        if name not in FIXED_TEXTS:
            raise SourceError(path, line, f"unknown text name {name!r}")
        if name in texts:
            raise SourceError(path, line, f"{name} given twice")
        texts[name] = encode(text, path, line)
    missing = [n for n in FIXED_TEXTS if n not in texts]
    if missing:
        raise SourceError(path, 0, f"missing texts: {', '.join(missing)}")
    return texts


def load_services(path):
    rows = {}
    for line, (value, text) in read_records(path, {2}):
        if not re.fullmatch(r"\d{3}", value) or not SERVICE_FIRST <= int(value) <= SERVICE_LAST:
            raise SourceError(path, line, f"service number {value!r} is not 100 to 181")
        if int(value) in rows:
            raise SourceError(path, line, f"service number {value} given twice")
        if not text:
            raise SourceError(path, line, "empty service text")
        rows[int(value)] = encode(text, path, line)
    return rows


def load_nine_digit(path):
    rows = []
    for line, (prefix, text) in read_records(path, {2}):
        if not re.fullmatch(rf"\d{{{NINE_DIGIT_PREFIX}}}", prefix):
            raise SourceError(path, line, f"prefix {prefix!r} is not {NINE_DIGIT_PREFIX} digits")
        rows.append((prefix, encode(text, path, line)))
    return rows


def load_mobile(legend_path, grid_path):
    legend = {}
    for line, (code, text) in read_records(legend_path, {2}):
        if not re.fullmatch(r"[A-Za-z-]{2,3}", code):
            raise SourceError(legend_path, line, f"bad code {code!r}")
        if code in legend:
            raise SourceError(legend_path, line, f"code {code} given twice")
        legend[code] = encode(text, legend_path, line)
    if len(legend) > MOBILE_CARRIER_LIMIT:
        limit = MOBILE_CARRIER_LIMIT
        raise SourceError(legend_path, 0, f"{len(legend)} codes, the block tables hold at most {limit}")
    groups = []  # (group, [100 codes])
    for line, (group, fifth, codes) in read_records(grid_path, {3}):
        if not re.fullmatch(r"0[79]0\d", group):
            raise SourceError(grid_path, line, f"group {group!r} is not 070x or 090x")
        if not groups or groups[-1][0] != group:
            if any(g == group for g, _ in groups):
                raise SourceError(grid_path, line, f"group {group} appears in two places")
            if groups and len(groups[-1][1]) != 100:
                raise SourceError(grid_path, line, f"group {groups[-1][0]} has no 10 lines")
            groups.append((group, []))
        entries = groups[-1][1]
        if fifth != str(len(entries) // 10):
            raise SourceError(grid_path, line, f"expected fifth digit {len(entries) // 10}, got {fifth!r}")
        row = codes.split()
        if len(row) != 10:
            raise SourceError(grid_path, line, f"expected 10 codes, got {len(row)}")
        for code in row:
            if code not in legend:
                raise SourceError(grid_path, line, f"code {code!r} is not in {legend_path}")
        entries.extend(row)
    if len(groups) != MOBILE_GROUP_COUNT or len(groups[-1][1]) != 100:
        raise SourceError(grid_path, 0, f"expected {MOBILE_GROUP_COUNT} groups of 10 lines each")
    return legend, groups


def load_exchange(path, group):
    rows = []
    blocks = []  # prefecture of each block, in order
    for line, parts in read_records(path, {2, 3}):
        name, prefixes = parts[0], parts[1]
        irregular = parse_flag(parts[2] if len(parts) == 3 else None, path, line)
        prefecture, name_bytes = check_place_name(name, path, line)
        check_prefix_list(prefixes, group, irregular, path, line)
        if not blocks or blocks[-1] != prefecture:
            if prefecture in blocks:
                raise SourceError(path, line, f"{prefecture} rows must stand in one block")
            blocks.append(prefecture)
        rows.append((name_bytes, prefixes.encode("ascii")))
    if len(rows) > INDEX_ROW_LIMIT:
        raise SourceError(path, 0, f"{len(rows)} rows, the index holds at most {INDEX_ROW_LIMIT}")
    return rows


def key_slot(tail):
    """The index slot of the four characters after a key's "0N": digits of base 11, ";" being 10."""
    slot = 0
    for char in tail:
        slot = slot * len(KEY_SYMBOLS) + KEY_SYMBOLS.index(char)
    return slot


def build_index(group, rows):
    """Slot key_slot(k): the first row whose list holds the key "0<group>" + k, else NO_INDEXED_ROW.

    Walks every six-character window of every list in row order, which finds exactly the rows
    that a substring search for the key would find: keys inside seven-digit entries, and keys
    that run across a ";" into the next entry.
    """
    index = [NO_INDEXED_ROW] * INDEX_SIZE
    lead = f"0{group}"
    for number, (_, prefixes) in enumerate(rows):
        text = prefixes.decode("ascii")
        for start in range(len(text) - 5):
            window = text[start : start + 6]
            if window.startswith(lead) and all(char in KEY_SYMBOLS for char in window[2:]):
                slot = key_slot(window[2:])
                if index[slot] == NO_INDEXED_ROW:
                    index[slot] = number
    return index


def mobile_group_slots(groups):
    """Per "070"/"090" and fourth digit, the number of the group of those four digits, or -1."""
    slots = [[-1] * 10 for _ in MOBILE_LEADS]
    for number, (group, _) in enumerate(groups):
        slots[MOBILE_LEADS.index(group[:3])][int(group[3])] = number
    return slots


def render_checks():
    """Asserts that the numbers this generator works by are the ones Tables.h states."""
    return [
        f"static_assert(KOBAL_RESULT_SIZE == {MAX_RESULT_BYTES + 1}, \"answers are checked for this buffer\");",
        f"static_assert(kServiceFirst == {SERVICE_FIRST} && kServiceLast == {SERVICE_LAST});",
        f"static_assert(kNineDigitPrefixLength == {NINE_DIGIT_PREFIX});",
        f"static_assert(kMobileGroupCount == {MOBILE_GROUP_COUNT} && kMobileBlockCount == {MOBILE_BLOCK_COUNT});",
        f"static_assert(kExchangeTableCount == {EXCHANGE_TABLE_COUNT});",
        f"static_assert(kKeySymbols == {len(KEY_SYMBOLS)} && kExchangeIndexSize == {INDEX_SIZE});",
        f"static_assert(kNoIndexedRow == {NO_INDEXED_ROW});",
    ]


def render_texts(texts, services, nine_digit):
    out = [f"constexpr char k{name}[] = {c_string(texts[name])};" for name in FIXED_TEXTS]
    for name in WHOLE_ANSWERS:
        out.append(f"constexpr AnswerText k{name}Answer = {{k{name}, {len(texts[name])}}};")
    out += [f"static_assert(Fits(k{name}Answer));" for name in WHOLE_ANSWERS]
    out += ["", "constexpr AnswerText kServiceAnswers[kServiceSlots] = {"]
    for value in range(SERVICE_FIRST, SERVICE_LAST + 1):
        text = services.get(value)
        out.append(f"    {c_answer(text) if text is not None else 'kUnknownAnswer'},  // {value}")
    out += ["};", "static_assert(AllFit(kServiceAnswers));", ""]
    out.append(f"constexpr NineDigitRow kNineDigit[{max(len(nine_digit), 1)}] = {{")
    rows = [f"    {{{c_string(p.encode('ascii'))}, {c_answer(t)}}}," for p, t in nine_digit]
    out += rows or ["    {nullptr, kUnknownAnswer},"]
    out += ["};", f"extern const int32_t kNineDigitCount = {c_count('kNineDigit') if nine_digit else 0};"]
    for row in range(len(nine_digit)):
        # A shorter prefix would be read past its end here, which no constant expression may do.
        out.append(f"static_assert(Fits(kNineDigit[{row}].answer) && kNineDigit[{row}].prefix[kNineDigitPrefixLength] == 0);")
    return out


def render_mobile(legend, groups):
    codes = list(legend)
    out = [f"const int8_t kMobileGroupSlots[2][10] = {{"]
    for lead, slots in zip(MOBILE_LEADS, mobile_group_slots(groups)):
        out.append(f"    {{{', '.join(str(s) for s in slots)}}},  // {lead}")
    out += ["};", "", f"constexpr AnswerText kMobileCarrierAnswers[{len(codes)}] = {{"]
    for code in codes:
        out.append(f"    {c_answer(legend[code])},  // {code}")
    out += ["};", "static_assert(AllFit(kMobileCarrierAnswers));", ""]
    out.append("const uint8_t kMobileBlockCarriers[kMobileGroupCount][kMobileBlockCount] = {")
    for group, entries in groups:
        out.append(f"    {{  // {group}")
        for fifth in range(10):
            numbers = ", ".join(str(codes.index(c)) for c in entries[fifth * 10 : fifth * 10 + 10])
            out.append(f"        {numbers},")
        out.append("    },")
    out.append("};")
    return out


def render_exchange(texts, exchanges):
    out = ["namespace {"]
    for group, rows in exchanges.items():
        if not rows:
            continue
        out.append(f"constexpr ExchangeRow kExchangeRows{group}[] = {{")
        for name, prefixes in rows:
            answer = texts["FixedLineOpen"] + name + texts["FixedLineClose"]
            out.append(f"    {{{c_answer(answer)}, {c_string(prefixes)}}},")
        out.append("};")
        out.append(f"static_assert(AllFit(kExchangeRows{group}));")
        out.append(f"static_assert(std::size(kExchangeRows{group}) < kNoIndexedRow);")
        out.append(f"constexpr uint8_t kExchangeIndex{group}[kExchangeIndexSize] = {{")
        index = build_index(group, rows)
        for start in range(0, INDEX_SIZE, 20):
            out.append("    " + ", ".join(str(row) for row in index[start : start + 20]) + ",")
        out.append("};")
    out += ["}  // namespace", "", "const ExchangeTable kExchangeTables[kExchangeTableCount] = {"]
    for group in range(EXCHANGE_TABLE_COUNT):
        if exchanges.get(group):
            rows = f"kExchangeRows{group}"
            out.append(f"    {{{rows}, {c_count(rows)}, kExchangeIndex{group}}},  // 0{group}")
        else:
            out.append(f"    {{nullptr, 0, nullptr}},  // 0{group}")
    out.append("};")
    return out


def render(texts, services, nine_digit, legend, groups, exchanges, sources):
    out = [
        "// Generated by tools/gen_tables.py from " + ", ".join(sources) + ". Do not edit.",
        "#include <iterator>",
        "",
        '#include "tables/Tables.h"',
        "",
        "namespace kobal::tables {",
        "",
    ]
    out += render_checks() + [""]
    out += render_texts(texts, services, nine_digit) + [""]
    out += render_mobile(legend, groups) + [""]
    out += render_exchange(texts, exchanges)
    out += ["", "}  // namespace kobal::tables", ""]
    return "\n".join(out)


def generate(tables_dir):
    def src(name):
        return os.path.join(tables_dir, name)

    texts = load_texts(src("texts.txt"))
    services = load_services(src("service-numbers.txt"))
    nine_digit = load_nine_digit(src("nine-digit.txt"))
    legend, groups = load_mobile(src("mobile-carriers.txt"), src("mobile-blocks.txt"))
    exchanges = {g: load_exchange(src(f"exchange-{g}.txt"), g) for g in EXCHANGE_GROUPS}
    sources = ["library/tables/*.txt"]
    return render(texts, services, nine_digit, legend, groups, exchanges, sources)


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tables", required=True, help="folder of the UTF-8 table sources")
    parser.add_argument("--output", required=True, help="the C++ file to write")
    args = parser.parse_args(argv)
    try:
        content = generate(args.tables)
    except SourceError as err:
        print(err, file=sys.stderr)
        return 1
    write_atomically({args.output: content})
    return 0


if __name__ == "__main__":
    sys.exit(main())
