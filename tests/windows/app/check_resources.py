"""Kobal.exe's resources as Windows reads them from the file: dialog layout 102, menu 129,
icon 128 and the version record; its import of DetectCarrier from KobalFnc.dll. Nothing is run.

Usage: check_resources.py WRESTOOL OBJDUMP Kobal.exe PROJECT_VERSION"""
import struct
import subprocess
import sys

failures = []


def Check(what, actual, expected):
    if actual != expected:
        failures.append(f"{what}: got {actual!r}, expected {expected!r}")


def Resource(wrestool, program, kind, name):
    return subprocess.run([wrestool, "-x", "--raw", f"--type={kind}", f"--name={name}", program],
                          capture_output=True, check=True).stdout


class Reader:
    def __init__(self, data):
        self.data, self.at = data, 0

    def Take(self, form):
        values = struct.unpack_from("<" + form, self.data, self.at)
        self.at += struct.calcsize("<" + form)
        return values if len(values) > 1 else values[0]

    def Text(self):
        end = self.at
        while self.data[end:end + 2] != b"\0\0":
            end += 2
        text = self.data[self.at:end].decode("utf-16-le")
        self.at = end + 2
        return text

    def TextOrOrdinal(self):
        if self.Take("H") == 0xFFFF:
            return self.Take("H")
        self.at -= 2
        return self.Text()

    def Align(self, to=4):
        self.at = (self.at + to - 1) // to * to


def Dialog(data):
    """An extended dialog template: the window and each control."""
    r = Reader(data)
    version, signature, _, ex_style, style, count, x, y, cx, cy = r.Take("HHIIIHhhhh")
    dialog = {"version": (version, signature), "style": style, "ex_style": ex_style,
              "rect": (x, y, cx, cy), "menu": r.TextOrOrdinal(), "class": r.TextOrOrdinal(),
              "caption": r.Text()}
    points, weight, italic, charset = r.Take("HHBB")
    dialog["font"] = (points, weight, italic, charset, r.Text())
    controls = []
    for _ in range(count):
        r.Align()
        _, ex_style, style, x, y, cx, cy, control_id = r.Take("IIIhhhhI")
        control = {"id": control_id, "style": style, "ex_style": ex_style, "rect": (x, y, cx, cy),
                   "class": r.TextOrOrdinal(), "text": r.TextOrOrdinal()}
        r.at += r.Take("H")
        controls.append(control)
    return dialog, controls


def Menu(data):
    """A menu template as (popup label, [(item label, id)]) in order; a separator is ("", 0)."""
    r = Reader(data)
    r.Take("HH")
    menus = []
    while True:
        flags = r.Take("H")
        label, items = r.Text(), []
        while True:
            item_flags, item_id = r.Take("HH")
            items.append((r.Text(), item_id))
            if item_flags & 0x80:
                break
        menus.append((label, items))
        if flags & 0x80:
            return menus


def VersionBlocks(data, at=0, end=None):
    """The version record as {key: value or nested blocks}; the fixed part under "fixed"."""
    end = len(data) if end is None else end
    blocks = {}
    while at + 6 <= end:
        length, value_length, is_text = struct.unpack_from("<HHH", data, at)
        if length == 0:
            break
        r = Reader(data)
        r.at = at + 6
        key = r.Text()
        r.Align()
        size = 2 * value_length if is_text else value_length
        value = data[r.at:r.at + size]
        r.at += size
        r.Align()
        children = VersionBlocks(data, r.at, at + length) if r.at < at + length else {}
        if children:
            blocks[key] = {"fixed": value, **children} if value else children
        else:
            blocks[key] = value.decode("utf-16-le").rstrip("\0") if is_text else value
        at = (at + length + 3) // 4 * 4
    return blocks


def VersionRecord(wrestool, program, version):
    """The file's version record and its fixed part, whose signature and file and product
    version (PROJECT_VERSION's four numbers) are checked."""
    record = VersionBlocks(Resource(wrestool, program, 16, 1))["VS_VERSION_INFO"]
    fixed = struct.unpack("<13I", record["fixed"])
    numbers = [int(part) for part in version.split(".")]
    words = (numbers[0] << 16 | numbers[1], numbers[2] << 16 | numbers[3])
    Check("version record: signature", fixed[0], 0xFEEF04BD)
    Check("version record: file and product version", fixed[2:6], words + words)
    return record, fixed


def main():
    wrestool, objdump, program, version = sys.argv[1:5]
    EDIT, BUTTON = 0x81, 0x80
    WS_TABSTOP, WS_BORDER, ES_CENTER, ES_AUTOHSCROLL, ES_READONLY = 0x10000, 0x800000, 1, 0x80, 0x800
    BS_DEFPUSHBUTTON, WS_MINIMIZEBOX, WS_MAXIMIZEBOX, WS_THICKFRAME = 1, 0x20000, 0x10000, 0x40000

    dialog, controls = Dialog(Resource(wrestool, program, 5, 102))
    Check("dialog 102: caption", dialog["caption"], "Kobal")
    Check("dialog 102: menu", dialog["menu"], 129)
    Check("dialog 102: size", dialog["rect"][2:], (139, 37))
    Check("dialog 102: font", dialog["font"], (14, 400, 0, 1, "ＭＳ Ｐゴシック"))
    Check("dialog 102: minimise box only, no sizing border",
          dialog["style"] & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), WS_MINIMIZEBOX)
    Check("dialog 102: controls in tab order", [(c["id"], c["class"], c["rect"]) for c in controls],
          [(1000, EDIT, (3, 4, 63, 12)), (1001, BUTTON, (71, 4, 35, 12)),
           (1003, EDIT, (3, 21, 132, 12))])
    number, search, result = controls
    Check("number field: bordered tab stop, no sideways scrolling",
          number["style"] & (WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | ES_READONLY),
          WS_TABSTOP | WS_BORDER)
    Check("search button: default, caption", (search["style"] & 0xF, search["text"]),
          (BS_DEFPUSHBUTTON, "検索(&S)"))
    Check("result line: centred, read-only, scrolling, sunken edge, no border",
          (result["style"] & (ES_CENTER | ES_READONLY | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP),
           result["ex_style"]), (ES_CENTER | ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP, 0x20000))

    Check("menu 129", Menu(Resource(wrestool, program, 4, 129)),
          [("ファイル(&F)", [("終了(&X)\tESC", 32771)]),
           ("ヘルプ(&H)", [("目次(&C)\tF1", 32772), ("", 0), ("バージョン情報(&A)", 32773)])])

    group = Resource(wrestool, program, 14, 128)
    _, kind, count = struct.unpack_from("<HHH", group)
    sizes = sorted(struct.unpack_from("<B", group, 6 + 14 * i)[0] for i in range(count))
    Check("icon 128: 16 and 32 pixels", (kind, sizes), (1, [16, 32]))

    record, fixed = VersionRecord(wrestool, program, version)
    numbers = [int(part) for part in version.split(".")]
    Check("version record: flags mask, flags, system, type", fixed[6:10], (0x3F, 0, 4, 1))
    spaced = ", ".join(map(str, numbers))
    Check("version record: strings", record["StringFileInfo"]["041104b0"], {
        "Comments": "端末情報調査ツール 「コバル」", "CompanyName": "", "FileDescription": "Kobal",
        "FileVersion": spaced, "InternalName": "Kobal",
        "LegalCopyright": "Copyright (C) 2026 The Kobal Project", "LegalTrademarks": "",
        "OriginalFilename": "Kobal.exe", "PrivateBuild": "", "ProductName": "コバル",
        "ProductVersion": spaced, "SpecialBuild": ""})
    Check("version record: translation", record["VarFileInfo"]["Translation"], b"\x11\x04\xb0\x04")

    imports = subprocess.run([objdump, "-p", program], capture_output=True, text=True,
                             check=True).stdout
    kobal = imports.split("DLL Name: KobalFnc.dll")
    Check("imports DetectCarrier from KobalFnc.dll",
          len(kobal) == 2 and "DetectCarrier" in kobal[1].split("DLL Name:")[0], True)

    for failure in failures:
        print("FAIL", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
