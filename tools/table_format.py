"""The form of the library's table sources, shared by tools/gen_tables.py and tools/exchange_data/:
the rules of an exchange row, the one error they raise, the line reader and the atomic writer."""

import os
import re
import tempfile

ENCODING = "cp932"  # Shift-JIS as Windows writes it: the byte form every text is held in
MAX_RESULT_BYTES = 45  # an answer with its NUL fills at most KOBAL_RESULT_SIZE, 46 bytes
FIXED_LINE_OPEN, FIXED_LINE_CLOSE = "NTT固定（", "）"  # the texts around every place name
# The longest place name still makes an answer: 45 - 9 - 2 bytes.
NAME_BYTES = (8, MAX_RESULT_BYTES - len((FIXED_LINE_OPEN + FIXED_LINE_CLOSE).encode(ENCODING)))
LIST_CHARS = (7, 182)
MAX_ENTRIES = 26
MAX_JOINED_NAMES = 4
SOLIDUS = "／"
# Blanks, brackets and separators: none stands in a place, and "|" would split its source line.
PLACE_FORBIDDEN = set(" \u3000()（）[]［］「」,、;|")
IRREGULAR = "irregular"  # the flag of a list that breaks the regular form

# The prefectures that exchange tables may name, spelled as the tables spell them.
TABLE_PREFECTURES = (
    "北海道", "青森県", "岩手県", "秋田県", "宮城県", "山形県", "福島県", "茨城県", "栃木県", "群馬県",
    "埼玉県", "千葉県", "東京都", "神奈川県", "新潟県", "富山県", "石川県", "福井県", "山梨県", "長野県",
    "大阪府", "兵庫県",
)
ALL_PREFECTURES = TABLE_PREFECTURES + (
    "岐阜県", "静岡県", "愛知県", "三重県", "滋賀県", "京都府", "奈良県", "和歌山県", "鳥取県", "島根県",
    "岡山県", "広島県", "山口県", "徳島県", "香川県", "愛媛県", "高知県", "福岡県", "佐賀県", "長崎県",
    "熊本県", "大分県", "宮崎県", "鹿児島県", "沖縄県",
)

KEY = re.compile(r"(?=(\d{6}))")


class SourceError(Exception):
    """A source line the generators cannot use; printed as 'file:line: error: message'."""

    def __init__(self, path, line, message):
        super().__init__(f"{path}:{line}: error: {message}")


def read_lines(path):
    """Yields (line number, text) of every line that is neither blank nor a '#' comment."""
    try:
        with open(path, encoding="utf-8") as handle:
            text = handle.read()
    except UnicodeDecodeError as err:
        raise SourceError(path, 0, f"not UTF-8 ({err.reason})") from err
    except OSError as err:
        raise SourceError(path, 0, err.strerror or str(err)) from err
    for number, line in enumerate(text.split("\n"), start=1):
        line = line.rstrip("\r")
        if line.strip() and not line.startswith("#"):
            yield number, line


def fields(path, number, line, counts, separator="|"):
    """The fields of a line, which must be one of `counts` many."""
    parts = line.split(separator)
    if len(parts) not in counts:
        want = " or ".join(str(c) for c in sorted(counts))
        raise SourceError(path, number, f"expected {want} '{separator}'-separated fields, got {len(parts)}")
    return parts


def read_records(path, counts):
    """Yields (line number, fields) of each data line of a '|'-separated source."""
    for number, line in read_lines(path):
        yield number, fields(path, number, line, counts)


def parse_flag(flag, path, line):
    """True for a list flagged irregular, False for no flag."""
    if flag not in (None, IRREGULAR):
        raise SourceError(path, line, f"unknown flag {flag!r} (only '{IRREGULAR}')")
    return flag == IRREGULAR


def encode(text, path, line, limit=MAX_RESULT_BYTES):
    """The Shift-JIS bytes of a text of at most `limit` bytes."""
    try:
        data = text.encode(ENCODING)
    except UnicodeEncodeError as err:
        raise SourceError(path, line, f"{text[err.start:err.end]!r} has no Shift-JIS form") from err
    if len(data) > limit:
        raise SourceError(path, line, f"{text!r} is {len(data)} bytes in Shift-JIS, at most {limit}")
    return data


def held_keys(prefixes):
    """The six-digit keys a plain substring search finds in the list, first occurrence order."""
    keys = []
    for match in KEY.finditer(prefixes):
        key = match.group(1)
        if key.startswith("0") and key not in keys:
            keys.append(key)
    return keys


def entries(prefixes):
    return [entry for entry in prefixes.split(";") if entry]


def prefecture_of(name):
    return next((p for p in TABLE_PREFECTURES if name.startswith(p)), None)


def check_place_name(name, path, line):
    """The prefecture that begins a valid place name, and the name's Shift-JIS bytes."""
    prefecture = prefecture_of(name)
    if prefecture is None:
        raise SourceError(path, line, f"place name {name!r} does not begin with a table prefecture")
    place = name[len(prefecture):]
    if not place:
        raise SourceError(path, line, f"place name {name!r} has no place after the prefecture")
    bad = sorted(set(place) & PLACE_FORBIDDEN)
    if bad:
        raise SourceError(path, line, f"place name {name!r} holds {''.join(bad)!r}")
    parts = place.split(SOLIDUS)
    if len(parts) > MAX_JOINED_NAMES or not all(parts):
        raise SourceError(path, line, f"place name {name!r} joins its names badly")
    data = encode(name, path, line, limit=NAME_BYTES[1])
    if len(data) < NAME_BYTES[0]:
        raise SourceError(path, line, f"place name {name!r} is {len(data)} bytes, at least {NAME_BYTES[0]}")
    return prefecture, data


def check_prefix_list(prefixes, table, irregular, path, line):
    """Regular lists are 1 to 26 entries of ';0N' and four digits; irregular ones may hold a
    seven-digit entry or lack the leading ';', and must not be regular. Neither is longer than
    182 characters."""
    regular = re.fullmatch(rf"(;0{table}\d{{4}}){{1,{MAX_ENTRIES}}}", prefixes) is not None
    if irregular:
        if regular:
            raise SourceError(path, line, "list is marked irregular but is regular")
        shape = rf";?0{table}\d{{4,5}}(;0{table}\d{{4,5}}){{0,{MAX_ENTRIES - 1}}}"
        if not re.fullmatch(shape, prefixes):
            raise SourceError(path, line, f"irregular list {prefixes!r} is not entries of 6 or 7 digits of 0{table}")
    elif not regular:
        raise SourceError(
            path, line, f"prefix list {prefixes!r} is not 1 to {MAX_ENTRIES} entries of ';0{table}' and four digits"
        )
    if len(prefixes) > LIST_CHARS[1]:
        raise SourceError(path, line, f"list is {len(prefixes)} characters, at most {LIST_CHARS[1]}")


def write_atomically(files):
    """`files`: {path: text}. Every file is written beside its target first, and all are moved
    into place only once every one is written: a failure while writing leaves every target as it
    was, and no target is ever half-written."""
    staged = []
    try:
        for path, text in files.items():
            folder = os.path.dirname(os.path.abspath(path))
            os.makedirs(folder, exist_ok=True)
            handle, temp = tempfile.mkstemp(dir=folder, prefix=".kobal-")
            staged.append((temp, path))
            with os.fdopen(handle, "w", encoding="utf-8", newline="\n") as out:
                out.write(text)
            umask = os.umask(0)
            os.umask(umask)
            os.chmod(temp, 0o666 & ~umask)  # mkstemp's 0600 is not what a generated file needs
        for temp, path in staged:
            os.replace(temp, path)
    finally:
        for temp, _ in staged:
            if os.path.exists(temp):
                os.unlink(temp)
