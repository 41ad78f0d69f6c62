"""The form every exchange row must have: place names, prefix lists and the keys a list holds."""

import re

ENCODING = "cp932"
NAME_BYTES = (8, 34)  # the result "NTT固定（" + name + "）" then fits 45 bytes
LIST_CHARS = (7, 182)
MAX_ENTRIES = 26
MAX_JOINED_NAMES = 4
SOLIDUS = "／"
PLACE_FORBIDDEN = set(" \u3000()（）[]［］「」,、;|")

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


class InputError(Exception):
    """A source line the generator cannot use; printed as 'file:line: error: message'."""

    def __init__(self, path, line, message):
        super().__init__(f"{path}:{line}: error: {message}")


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
    prefecture = prefecture_of(name)
    if prefecture is None:
        raise InputError(path, line, f"place name {name!r} does not begin with a table prefecture")
    place = name[len(prefecture):]
    bad = sorted(set(place) & PLACE_FORBIDDEN)
    if not place or bad:
        raise InputError(path, line, f"place name {name!r} has no place or holds {''.join(bad)!r}")
    parts = place.split(SOLIDUS)
    if len(parts) > MAX_JOINED_NAMES or not all(parts):
        raise InputError(path, line, f"place name {name!r} joins its names badly")
    try:
        size = len(name.encode(ENCODING))
    except UnicodeEncodeError as err:
        raise InputError(path, line, f"{name[err.start:err.end]!r} has no Shift-JIS form") from err
    if not NAME_BYTES[0] <= size <= NAME_BYTES[1]:
        raise InputError(path, line, f"place name {name!r} is {size} bytes, not {NAME_BYTES[0]} to {NAME_BYTES[1]}")
    return prefecture


def check_prefix_list(prefixes, table, irregular, path, line):
    """Regular lists are 1 to 26 entries of ';0N' and four digits; irregular ones may hold a
    seven-digit entry or lack the leading ';', and must not be regular."""
    regular = re.fullmatch(rf"(;0{table}\d{{4}}){{1,{MAX_ENTRIES}}}", prefixes) is not None
    if irregular:
        shape = re.fullmatch(rf";?0{table}\d{{4,5}}(;0{table}\d{{4,5}}){{0,{MAX_ENTRIES - 1}}}", prefixes)
        if regular or not shape:
            raise InputError(path, line, f"list {prefixes!r} is marked irregular but is not")
    elif not regular:
        raise InputError(path, line, f"list {prefixes!r} is not 1 to {MAX_ENTRIES} entries of ';0{table}' and four digits")
    if len(prefixes) > LIST_CHARS[1]:
        raise InputError(path, line, f"list is {len(prefixes)} characters, at most {LIST_CHARS[1]}")
