"""What a Japanese telephone number is, as the numbering stood in 2000.

    >>> import kobal
    >>> kobal.lookup("03-3520-1234")
    'NTT固定（東京都新有明）'
    >>> kobal.lookup_many(["117", "0120-123-456", None])
    ['時報', 'フリーダイヤル', '不明']

detect_carrier() asks the library about plain digits; normalise() and lookup() read numbers as
people write them, by the rules of kobal-lookup; lookup_many() answers a whole column.
"""

from ._kobal import (
    __version__,
    detect_carrier,
    detect_carrier_bytes,
    lookup,
    lookup_many,
    normalise,
)

__all__ = [
    "detect_carrier",
    "detect_carrier_bytes",
    "lookup",
    "lookup_many",
    "normalise",
]
