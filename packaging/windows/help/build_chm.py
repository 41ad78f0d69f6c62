"""Builds kobal.chm, the help page as compiled HTML help (which Windows 10 and 11 still open),
with chmcmd, byte for byte the same from the same page: the two build times chmcmd writes (the
file header's and the #SYSTEM record's) are zeroed.

Usage: build_chm.py CHMCMD PAGE.html OUTPUT.chm"""
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile

PROJECT = """[OPTIONS]
Compatibility=1.1 or later
Compiled file=kobal.chm
Default topic=index.html
Display compile progress=No
Language=0x411 Japanese
Title=Kobal

[FILES]
index.html
"""


def main():
    chmcmd, page, output = sys.argv[1:4]
    with tempfile.TemporaryDirectory() as folder:
        folder = pathlib.Path(folder)
        shutil.copyfile(page, folder / "index.html")
        (folder / "kobal.hhp").write_text(PROJECT)
        subprocess.run([chmcmd, "kobal.hhp"], cwd=folder, check=True, stdout=subprocess.DEVNULL)
        chm = bytearray((folder / "kobal.chm").read_bytes())
    if chm[:4] != b"ITSF":
        sys.exit(f"{chmcmd} wrote no compiled help file")
    chm[16:20] = bytes(4)  # the header's time stamp
    # #SYSTEM's record 10 (a 4-byte time stamp), which chmcmd writes before record 9, its name.
    stamps = list(re.finditer(rb"\x0a\x00\x04\x00(....)\x09\x00", chm, re.DOTALL))
    if len(stamps) != 1:
        sys.exit(f"found {len(stamps)} #SYSTEM time stamps in the compiled help, expected 1")
    chm[stamps[0].start(1):stamps[0].end(1)] = bytes(4)
    pathlib.Path(output).write_bytes(chm)


if __name__ == "__main__":
    main()
