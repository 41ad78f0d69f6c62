#!/usr/bin/env python3
"""Turns the UTF-8 table sources of library/tables/ into C++ constants holding Shift-JIS bytes.

Every source line is validated against the data model; a bad line stops the build with
"file:line: error: ...", and the output file is only replaced once everything is valid.
"""

import argparse
import os
import re
import sys
import tempfile

ENCODING = "cp932"  # Shift-JIS as Windows writes it: the byte form every text is held in.
MAX_RESULT_BYTES = 45  # the caller's buffer holds 46 bytes with the NUL
FIXED_TEXTS = ("Unknown", "FreeDial", "DialQ2", "FixedLineOpen", "FixedLineClose")
WHOLE_ANSWERS = ("Unknown", "FreeDial", "DialQ2")  # fixed texts that are an answer by themselves
PREFECTURES = (
    "北海道", "青森県", "岩手県", "秋田県", "宮城県", "山形県", "福島県", "茨城県", "栃木県", "群馬県",
    "埼玉県", "千葉県", "東京都", "神奈川県", "新潟県", "富山県", "石川県", "福井県", "山梨県", "長野県",
    "大阪府", "兵庫県",
)
EXCHANGE_GROUPS = range(1, 8)  # group digits 8 and 9 have no rows
SERVICE_FIRST, SERVICE_LAST = 100, 181
MOBILE_GROUP_COUNT = 9
MOBILE_CARRIER_LIMIT = 256  # block tables hold carrier numbers as uint8_t
MOBILE_LEADS = ("070", "090")  # every mobile group is one of these and a fourth digit
EXCHANGE_TABLE_COUNT = 10  # one slot per group digit 0 to 9
INDEX_SIZE = 10000  # one slot per four digits after "0N"
NO_INDEXED_ROW = 255  # the index holds row numbers as uint8_t, and this where no row holds a key
INDEX_ROW_LIMIT = NO_INDEXED_ROW  # rows 0 to 254: a table of this many rows at most
PLACE_FORBIDDEN = set(" \u3000()（）[]［］「」,、;")


class SourceError(Exception):
    def __init__(self, path, line, message):
        super().__init__(f"{path}:{line}: error: {message}")


def read_records(path, fields):
    """Yields (line number, fields) of each data line; '#' lines and blank lines are skipped."""
    try:
        with open(path, encoding="utf-8") as handle:
            lines = handle.read().split("\n")
    except UnicodeDecodeError as err:
        raise SourceError(path, 0, f"not UTF-8 ({err.reason})") from err
    except OSError as err:
        raise SourceError(path, 0, err.strerror) from err
    for number, line in enumerate(lines, start=1):
        line = line.rstrip("\r")
        if not line.strip() or line.startswith("#"):
            continue
        parts = line.split("|")
        if len(parts) not in fields:
            want = " or ".join(str(f) for f in sorted(fields))
            raise SourceError(path, number, f"expected {want} '|'-separated fields, got {len(parts)}")
        yield number, parts


def encode(text, path, line, limit=MAX_RESULT_BYTES):
    try:
        data = text.encode(ENCODING)
    except UnicodeEncodeError as err:
        raise SourceError(path, line, f"{text[err.start:err.end]!r} has no Shift-JIS form") from err
    if len(data) > limit:
        raise SourceError(path, line, f"{text!r} is {len(data)} bytes in Shift-JIS, at most {limit}")
    return data


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
        if not re.fullmatch(r"\d{5}", prefix):
            raise SourceError(path, line, f"prefix {prefix!r} is not five digits")
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


REGULAR_LIST = {n: re.compile(rf"(;0{n}\d{{4}}){{1,26}}") for n in EXCHANGE_GROUPS}
IRREGULAR_LIST = re.compile(r";?\d{6,7}(;\d{6,7}){0,25}")


def check_place_name(name, path, line):
    prefecture = next((p for p in PREFECTURES if name.startswith(p)), None)
    if prefecture is None:
        raise SourceError(path, line, f"place name {name!r} does not begin with a prefecture")
    place = name[len(prefecture):]
    if not place:
        raise SourceError(path, line, f"place name {name!r} has no place after the prefecture")
    bad = sorted(set(place) & PLACE_FORBIDDEN)
    if bad:
        raise SourceError(path, line, f"place name {name!r} holds {''.join(bad)!r}")
    if place.count("／") > 3 or place.startswith("／") or place.endswith("／") or "／／" in place:
        raise SourceError(path, line, f"place name {name!r} joins its names badly")
    data = encode(name, path, line, limit=34)
    if len(data) < 8:
        raise SourceError(path, line, f"place name {name!r} is {len(data)} bytes, at least 8")
    return prefecture, data


def check_prefix_list(prefixes, group, flag, path, line):
    if flag not in (None, "irregular"):
        raise SourceError(path, line, f"unknown flag {flag!r} (only 'irregular')")
    regular = REGULAR_LIST[group].fullmatch(prefixes) is not None
    if flag == "irregular":
        if regular:
            raise SourceError(path, line, "list is marked irregular but is regular")
        entries = [e for e in prefixes.split(";") if e]
        if not IRREGULAR_LIST.fullmatch(prefixes) or any(not e.startswith(f"0{group}") for e in entries):
            raise SourceError(path, line, f"irregular list {prefixes!r} is not entries of 6 or 7 digits of 0{group}")
    elif not regular:
        raise SourceError(
            path, line, f"prefix list {prefixes!r} is not 1 to 26 entries of ';0{group}' and four digits"
        )
    return prefixes.encode("ascii")


def load_exchange(path, group):
    rows = []
    blocks = []  # prefecture of each block, in order
    for line, parts in read_records(path, {2, 3}):
        name, prefixes = parts[0], parts[1]
        flag = parts[2] if len(parts) == 3 else None
        prefecture, name_bytes = check_place_name(name, path, line)
        list_bytes = check_prefix_list(prefixes, group, flag, path, line)
        if not blocks or blocks[-1] != prefecture:
            if prefecture in blocks:
                raise SourceError(path, line, f"{prefecture} rows must stand in one block")
            blocks.append(prefecture)
        rows.append((name_bytes, list_bytes))
    if len(rows) > INDEX_ROW_LIMIT:
        raise SourceError(path, 0, f"{len(rows)} rows, the index holds at most {INDEX_ROW_LIMIT}")
    return rows


def build_index(group, rows):
    """Slot k: the first row whose list holds the key "0<group>" + k as four digits, else NO_INDEXED_ROW.

    Walks every six-character window of every list in row order, which finds exactly the rows
    that a substring search for the key would find, including keys inside seven-digit entries.
    """
    index = [NO_INDEXED_ROW] * INDEX_SIZE
    lead = f"0{group}".encode("ascii")
    for number, (_, prefixes) in enumerate(rows):
        for start in range(len(prefixes) - 5):
            window = prefixes[start : start + 6]
            if window[:2] == lead and all(0x30 <= byte <= 0x39 for byte in window[2:]):
                slot = int(window[2:])
                if index[slot] == NO_INDEXED_ROW:
                    index[slot] = number
    return index


def mobile_group_slots(groups):
    """Per "070"/"090" and fourth digit, the number of the group of those four digits, or -1."""
    slots = [[-1] * 10 for _ in MOBILE_LEADS]
    for number, (group, _) in enumerate(groups):
        slots[MOBILE_LEADS.index(group[:3])][int(group[3])] = number
    return slots


def render(texts, services, nine_digit, legend, groups, exchanges, sources):
    out = [
        "// Generated by tools/gen_tables.py from " + ", ".join(sources) + ". Do not edit.",
        '#include "tables/Tables.h"',
        "",
        "namespace kobal::tables {",
        "",
    ]
    for name in FIXED_TEXTS:
        out.append(f"constexpr char k{name}[] = {c_string(texts[name])};")
    for name in WHOLE_ANSWERS:
        out.append(f"constexpr AnswerText k{name}Answer = {{k{name}, {len(texts[name])}}};")
    out += [f"static_assert(Fits(k{name}Answer));" for name in WHOLE_ANSWERS]
    out += ["", "const char* const kServiceTexts[kServiceSlots] = {"]
    for value in range(SERVICE_FIRST, SERVICE_LAST + 1):
        text = services.get(value)
        out.append(f"    {c_string(text) if text is not None else 'nullptr'},  // {value}")
    out += ["};", "", "constexpr AnswerText kServiceAnswers[kServiceSlots] = {"]
    for value in range(SERVICE_FIRST, SERVICE_LAST + 1):
        text = services.get(value)
        out.append(f"    {c_answer(text) if text is not None else 'kUnknownAnswer'},  // {value}")
    out += ["};", "static_assert(AllFit(kServiceAnswers));", ""]
    out.append(f"extern const int32_t kNineDigitCount = {len(nine_digit)};")
    out.append(f"constexpr NineDigitRow kNineDigit[{max(len(nine_digit), 1)}] = {{")
    rows = [f"    {{{c_string(p.encode('ascii'))}, {c_string(t)}, {len(t)}}}," for p, t in nine_digit]
    out += rows or ["    {nullptr, kUnknown, 0},"]
    out += ["};"]
    for row in range(len(nine_digit)):
        out.append(f"static_assert(Fits(kNineDigit[{row}].text, kNineDigit[{row}].size));")
    out += ["", "namespace {"]
    codes = list(legend)
    for index, code in enumerate(codes):
        out.append(f"constexpr char kCarrier{index}[] = {c_string(legend[code])};  // {code}")
    out += ["}  // namespace", "", "const char* const kMobileGroups[kMobileGroupCount] = {"]
    out += [f"    {c_string(g.encode('ascii'))}," for g, _ in groups]
    out += ["};", "", "const char* const kMobileBlocks[kMobileGroupCount][100] = {"]
    for group, entries in groups:
        out.append(f"    {{  // {group}")
        for fifth in range(10):
            names = ", ".join(f"kCarrier{codes.index(c)}" for c in entries[fifth * 10 : fifth * 10 + 10])
            out.append(f"        {names},")
        out.append("    },")
    out += ["};", "", "const int8_t kMobileGroupSlots[2][10] = {"]
    for lead, slots in zip(MOBILE_LEADS, mobile_group_slots(groups)):
        out.append(f"    {{{', '.join(str(s) for s in slots)}}},  // {lead}")
    out += ["};", "", f"constexpr AnswerText kMobileCarrierAnswers[{len(codes)}] = {{"]
    for index, code in enumerate(codes):
        out.append(f"    {{kCarrier{index}, {len(legend[code])}}},  // {code}")
    out += ["};", "static_assert(AllFit(kMobileCarrierAnswers));", ""]
    out.append("const uint8_t kMobileBlockCarriers[kMobileGroupCount][100] = {")
    for group, entries in groups:
        out.append(f"    {{  // {group}")
        for fifth in range(10):
            numbers = ", ".join(str(codes.index(c)) for c in entries[fifth * 10 : fifth * 10 + 10])
            out.append(f"        {numbers},")
        out.append("    },")
    out += ["};", "", "namespace {"]
    for group, rows in exchanges.items():
        if not rows:
            continue
        out.append(f"constexpr ExchangeRow kExchangeRows{group}[] = {{")
        out += [f"    {{{c_string(n)}, {c_string(p)}}}," for n, p in rows]
        out.append("};")
    for group, rows in exchanges.items():
        if not rows:
            continue
        out.append(f"constexpr AnswerText kExchangeAnswers{group}[] = {{")
        for name, _ in rows:
            out.append(f"    {c_answer(texts['FixedLineOpen'] + name + texts['FixedLineClose'])},")
        out.append("};")
        out.append(f"static_assert(AllFit(kExchangeAnswers{group}));")
    out += ["}  // namespace", "", "const ExchangeTable kExchangeTables[kExchangeTableCount] = {"]
    for group in range(10):
        rows = exchanges.get(group)
        if rows:
            out.append(f"    {{kExchangeRows{group}, {len(rows)}}},  // 0{group}")
        else:
            out.append(f"    {{nullptr, 0}},  // 0{group}")
    out += ["};", "", "const AnswerText* const kExchangeAnswers[kExchangeTableCount] = {"]
    for group in range(EXCHANGE_TABLE_COUNT):
        out.append(f"    kExchangeAnswers{group}," if exchanges.get(group) else "    nullptr,")
    out += ["};", "", "const uint8_t kExchangeIndex[kExchangeTableCount][kExchangeIndexSize] = {"]
    for group in range(EXCHANGE_TABLE_COUNT):
        index = build_index(group, exchanges.get(group, []))
        out.append(f"    {{  // 0{group}")
        for start in range(0, INDEX_SIZE, 20):
            out.append("        " + ", ".join(str(row) for row in index[start : start + 20]) + ",")
        out.append("    },")
    out += ["};", "", "}  // namespace kobal::tables", ""]
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


def write_atomically(path, content):
    directory = os.path.dirname(os.path.abspath(path))
    os.makedirs(directory, exist_ok=True)
    handle, temp = tempfile.mkstemp(dir=directory, prefix=".gen-")
    try:
        with os.fdopen(handle, "w", encoding="ascii", newline="\n") as out:
            out.write(content)
        umask = os.umask(0)
        os.umask(umask)
        os.chmod(temp, 0o666 & ~umask)  # mkstemp's 0600 is not what a generated source needs
        os.replace(temp, path)
    except BaseException:
        os.unlink(temp)
        raise


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
    write_atomically(args.output, content)
    return 0


if __name__ == "__main__":
    sys.exit(main())
