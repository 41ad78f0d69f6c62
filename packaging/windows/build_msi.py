"""Builds Kobal's MSI for one architecture with wixl from Kobal.wxs: stages the program files
and the documents (README.txt with a byte order mark and CRLF, as Notepad reads it) and runs
wixl in the staging folder, which takes relative source paths only.

Usage: build_msi.py WIXL x64|x86 VERSION BIN_DIR SOURCE_DIR OUTPUT.msi"""
import pathlib
import shutil
import subprocess
import sys
import tempfile


def main():
    wixl, arch, version, bin_dir, source, output = sys.argv[1:7]
    source = pathlib.Path(source)
    with tempfile.TemporaryDirectory() as stage:
        stage = pathlib.Path(stage)
        (stage / "bin").mkdir()
        (stage / "doc").mkdir()
        defines = ["-D", "KobalLookup=no"]
        for name in ("Kobal.exe", "KobalFnc.dll", "kobal.chm", "kobal-lookup.exe"):
            if name == "kobal-lookup.exe" and not (pathlib.Path(bin_dir) / name).exists():
                continue  # where the command line is built
            shutil.copyfile(pathlib.Path(bin_dir) / name, stage / "bin" / name)
            if name == "kobal-lookup.exe":
                defines = ["-D", "KobalLookup=yes"]
        for name in ("LICENSE", "NOTICE"):
            shutil.copyfile(source / name, stage / "doc" / name)
        readme = (source / "packaging/windows/README.txt").read_text(encoding="utf-8")
        (stage / "doc/README.txt").write_bytes(
            b"\xef\xbb\xbf" + readme.replace("\n", "\r\n").encode("utf-8"))
        subprocess.run([wixl, "-a", arch, "-D", f"Arch={arch}", "-D", f"Version={version}",
                        "-D", "BinDir=bin", "-D", "DocDir=doc", *defines, "-o", "kobal.msi",
                        str((source / "packaging/windows/Kobal.wxs").resolve())], cwd=stage, check=True)
        shutil.copyfile(stage / "kobal.msi", output)


if __name__ == "__main__":
    main()
