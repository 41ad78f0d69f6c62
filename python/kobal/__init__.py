"""What a Japanese telephone number is, as the numbering stood in 2000.

    >>> import kobal
    >>> kobal.lookup("03-3520-1234")
    'NTT固定（東京都新有明）'
    >>> kobal.lookup_many(["117", "0120-123-456", None])
    ['時報', 'フリーダイヤル', '不明']
    >>> kobal.format("0123201234")
    '0123-20-1234'
    >>> kobal.parse("03-3520-1234").prefecture
    '東京都'

detect_carrier() asks the library about plain digits; normalise() and lookup() read numbers as
people write them, by the rules of kobal-lookup; lookup_many() answers a whole column. format(),
parse() and parse_many() give the answer as data: the number with its hyphens, its kind,
prefecture, place, charge area and carrier.
"""

from typing import NamedTuple

from . import _kobal
from ._kobal import (
    __version__,
    detect_carrier,
    detect_carrier_bytes,
    format,
    lookup,
    lookup_many,
    normalise,
    parse_many,
)


class Answer(NamedTuple):
    """What a written number is, as data: every field but the input, None where empty.

    For a text that is no number (status "not-a-number", "empty" or "missing"), every field
    but status and result is None; status is never None.
    """

    number: str | None
    formatted: str | None
    status: str
    kind: str | None
    prefecture: str | None
    place: str | None
    ma: str | None
    carrier: str | None
    region: str | None
    result: str | None


_FIELD_DOCS = {
    "number": "The digits that went to the library: '0335201234'.",
    "formatted": "The number with hyphens where the numbering splits it: '03-3520-1234', "
                 "'0123-20-1234', '090-1234-5678', '0120-123-456', '117'; None for other shapes "
                 "(050, 080, 0570, numbers of other lengths, keys the ministry's list lacks).",
    "status": "'number', 'not-a-number', 'empty' or 'missing' (a gap in a column).",
    "kind": "'fixed', 'mobile' (090), 'phs' (070), 'toll-free' (0120, 0800), 'information' "
            "(0990), 'service' (three digits) or 'unknown' (every 不明).",
    "prefecture": "A fixed line's prefecture, as the answer writes it: '北海道', '東京都'.",
    "place": "A fixed line's exchange area without the prefecture: '札幌大通', '新有明'.",
    "ma": "The unit charge area (単位料金区域) of a ten-digit number's first six digits, by the "
          "ministry's list, whatever the answer: '札幌', '東京'; that of 0460 for Hakone.",
    "carrier": "Mobile and PHS: the carrier's brand ('NTTドコモ', 'DDIポケット', 'J-PHONE' ...); "
               "fixed lines: 'NTT東日本' or 'NTT西日本'.",
    "region": "Mobile and PHS: the region in the carrier's name ('関西', '東京'), where it has one.",
    "result": "The library's answer, unchanged: 'NTT固定（東京都新有明）', '不明'; None for its "
              "empty answer (a mobile block it holds no carrier for).",
}
for _name, _doc in _FIELD_DOCS.items():
    getattr(Answer, _name).__doc__ = _doc
del _name, _doc


def parse(text: str) -> Answer:
    """What the number written in text is, as data (see Answer).

    The text is read as lookup() reads it; one that is no number has the status
    "not-a-number" and every field but status and result None.

    >>> parse("0123-20-1234")
    Answer(number='0123201234', formatted='0123-20-1234', status='number', kind='fixed', \
prefecture='北海道', place='千歳', ma='千歳', carrier='NTT東日本', region=None, \
result='NTT固定（北海道千歳）')
    >>> parse("n/a").status
    'not-a-number'

    Raises TypeError when text is not a str.
    """
    return Answer._make(_kobal._parse(text))


__all__ = [
    "Answer",
    "detect_carrier",
    "detect_carrier_bytes",
    "format",
    "lookup",
    "lookup_many",
    "normalise",
    "parse",
    "parse_many",
]
