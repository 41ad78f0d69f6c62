"""Kobal's MSI in a fresh Wine prefix: installed with msiexec /i /qn into Program Files\\Kobal
(Program Files (x86) for the 32-bit one), Kobal started from the Start menu shortcut, where F1
opens the help installed beside it (so the shortcut starts it in the install folder), then
msiexec /x /qn, after which no file of it is left.

Usage (on an X display): check_msi.py WINE kobal.msi x64|x86 kobal-window-probe.exe
                         kobal-help-recorder.exe WORK_DIR [kobal-lookup.exe]"""
import pathlib
import shutil
import sys

from wine_desktop import Centre, HelpViewerRegistry, RecordedOpens, WineDesktop

failures = []


def Check(what, actual, expected):
    if actual != expected:
        failures.append(f"{what}: got {actual!r}, expected {expected!r}")


def Files(root):
    return {path.relative_to(root).as_posix() for path in root.rglob("*") if path.is_file()}


def main():
    wine, msi, arch, probe, recorder, work = sys.argv[1:7]
    programs = ["Kobal.exe", "KobalFnc.dll", "kobal.chm"] + [name for name in sys.argv[7:8] if name]
    work = pathlib.Path(work).resolve()
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    record = work / "help-opened.txt"
    association = HelpViewerRegistry(recorder, record, [".chm"])
    desktop = WineDesktop(wine, probe, work, "C.UTF-8")
    desktop.Prepare(association)
    drive = desktop.prefix / "drive_c"
    before = Files(drive)
    msi = str(pathlib.Path(msi).resolve())
    try:
        Check("msiexec /i", desktop.Wine("msiexec", "/i", msi, "/qn", check=False).returncode, 0)
        installed = Files(drive) - before
        folder = "Program Files" if arch == "x64" else "Program Files (x86)"
        Check("installed program files",
              sorted(path for path in installed if path.startswith("Program Files")),
              sorted(f"{folder}/Kobal/{name}"
                     for name in programs + ["LICENSE.txt", "NOTICE.txt", "README.txt"]))
        shortcuts = [path for path in installed if path.endswith("/Programs/Kobal.lnk")]
        Check("one Start menu shortcut", len(shortcuts), 1)
        if shortcuts:
            # The shortcut as the Start menu opens it: its target, in its working folder.
            link = "C:\\" + shortcuts[0].replace("/", "\\")
            dialog = desktop.Start("start", work, link).Lookup()
            desktop.Click(*Centre(dialog["controls"][1000]["rect"]))
            desktop.Type("117")
            desktop.Keys("Return", "F1")
            answered = desktop.Poll(lambda state: state.Lookup()["controls"][1003]["text"] == "時報", 10)
            Check("installed Kobal: answer", answered.Lookup()["controls"][1003]["text"], "時報")
            opened = RecordedOpens(record, True)
            Check(f"F1 in Kobal started from {link}", [name.lower() for name in opened],
                  [f"c:\\{folder}\\kobal\\kobal.chm".lower()])
            desktop.Keys("Escape")
            desktop.WaitFor(lambda state: state.Lookup() is None, "Kobal to end")
        Check("msiexec /x", desktop.Wine("msiexec", "/x", msi, "/qn", check=False).returncode, 0)
        Check("files left after msiexec /x", sorted(Files(drive) - before), [])
        Check("folder left after msiexec /x", (drive / folder / "Kobal").exists(), False)
    finally:
        desktop.Remove()
    for failure in failures:
        print("FAIL", failure)
    print(f"{msi}: {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
