"""The escapes of the normaliser's table of written forms (tests/normaliser/written-forms.tsv), as
the Python tests of every front end read them."""
import re

_ESCAPE = re.compile(r"\\(t|\\|u[0-9A-Fa-f]{4}|U[0-9A-Fa-f]{8}|x[0-9A-Fa-f]{2})|(.)", re.S)


def unescape(field):
    """\\t \\\\ \\uXXXX \\UXXXXXXXX as characters (UTF-8), \\xHH as a raw byte: the field's bytes."""
    raw = bytearray()
    for escape, plain in _ESCAPE.findall(field):
        if plain:
            raw += plain.encode()
        elif escape == "t":
            raw += b"\t"
        elif escape == "\\":
            raw += b"\\"
        elif escape[0] == "x":
            raw.append(int(escape[1:], 16))
        else:
            raw += chr(int(escape[1:], 16)).encode("utf-8", "surrogatepass")
    return bytes(raw)
