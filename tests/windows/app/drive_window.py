"""Kobal.exe driven as a user would, under Wine's virtual desktop on Xvfb: typing, Enter, Alt+S,
the mouse, the menus by keyboard and by mouse, paste, the About box, F1 with and without the help
files, Esc, Exit and the close box. What the window shows is read back by the probe.

Usage (on an X display, as ctest runs it under xvfb-run):
  drive_window.py WINE Kobal.exe kobal-window-probe.exe kobal-help-recorder.exe WORK_DIR LOCALE
                  [SCREENSHOT.png]"""
import pathlib
import shutil
import subprocess
import sys

from wine_desktop import Centre, HelpViewerRegistry, RecordedOpens, WineDesktop

# What the library answers for these numbers, as the README and the help page show them.
ANSWERS = {
    "0112012345": "NTT固定（北海道札幌大通）",
    "117": "時報",
    "": "不明",
    "0153751234": "NTT固定（北海道別海／上春別／上風連／浜別海）",  # the longest answer
}
ABOUT_TEXT = ("端末情報調査ツール\n" + "-" * 32 + "\nコバル Version 0.1\n\n"
              "Copyright (C) 2026 The Kobal Project\n")
NUMBER, SEARCH, RESULT = 1000, 1001, 1003

failures = []


def Check(what, actual, expected):
    if actual != expected:
        failures.append(f"{what}: got {actual!r}, expected {expected!r}")


def CheckReady(desktop, what, number, result, timeout=10):
    """Waits for the number field to have the focus and its whole number `number` selected, and
    for the result line `result`; what differs when the wait ends is a failure."""
    expected = {"number field": number, "result line": result, "focus": NUMBER,
                "selection": (0, len(number))}

    def Seen(state):
        dialog = state.Lookup()
        if dialog is None:
            return {}
        return {"number field": dialog["controls"][NUMBER]["text"],
                "result line": dialog["controls"][RESULT]["text"], "focus": dialog["focus"],
                "selection": dialog["controls"][NUMBER]["selection"]}
    seen = Seen(desktop.Poll(lambda state: Seen(state) == expected, timeout))
    for part, value in expected.items():
        Check(f"{what}: {part}", seen.get(part), value)


def NumberAfter(desktop, *keys, changed_to=None):
    """The number field's text once `keys` have been handled: the wait ends when it reads
    `changed_to` or, for keys that may change nothing, when End pressed after them has put the
    caret at the end (from Home before them), for the keys reach the program in order."""
    def Number(state):
        return state.Lookup()["controls"][NUMBER]

    if changed_to is not None:
        desktop.Keys(*keys)
        return Number(desktop.Poll(lambda state: Number(state)["text"] == changed_to, 30))["text"]
    desktop.Keys("Home")
    desktop.WaitFor(lambda state: Number(state)["selection"] == (0, 0), "the caret at the start")
    desktop.Keys(*keys, "End")
    end = desktop.WaitFor(lambda state: Number(state)["selection"] == (len(Number(state)["text"]),) * 2,
                          "End after the keys", timeout=60)
    return Number(end)["text"]


def SetClipboard(text):
    subprocess.run(["xclip", "-selection", "clipboard"], input=text.encode(), check=True)


def Typing(desktop, dialog, screenshot):
    Check("start: number field", dialog["controls"][NUMBER]["text"], "")
    Check("start: result line", dialog["controls"][RESULT]["text"], "")
    Check("start: focus", dialog["focus"], NUMBER)
    Check("start: input limit", dialog["controls"][NUMBER]["limit"], 11)
    # Wine's virtual desktop takes keys only after a first click into the dialog.
    desktop.Click(*Centre(dialog["controls"][NUMBER]["rect"]))

    desktop.Keys("Return")
    CheckReady(desktop, "Enter on an empty field", "", ANSWERS[""])
    desktop.Type("0112012345")
    desktop.Keys("Return")
    CheckReady(desktop, "Enter", "0112012345", ANSWERS["0112012345"])
    if screenshot:
        desktop.Screenshot(screenshot, dialog["rect"])
    # The selected number is replaced by the next one typed; letters and full-width digits are
    # refused.
    desktop.Type("1a１1x7")
    desktop.Keys("alt+s")
    CheckReady(desktop, "Alt+S", "117", ANSWERS["117"])
    desktop.Keys("alt+s")
    CheckReady(desktop, "the same search again", "117", ANSWERS["117"])
    desktop.Type("015375123456")
    desktop.Click(*Centre(dialog["controls"][SEARCH]["rect"]))
    CheckReady(desktop, "a twelfth digit, then a click on 検索", "01537512345", ANSWERS[""])
    # After a click the dialog would leave the focus on the button; Alt+S keeps it in the field.
    desktop.Keys("BackSpace")
    desktop.Type("0153751234")
    desktop.Keys("alt+s")
    CheckReady(desktop, "Alt+S after a click", "0153751234", ANSWERS["0153751234"])
    desktop.Click(*Centre(dialog["controls"][RESULT]["rect"]))
    desktop.Keys("Return")
    CheckReady(desktop, "Enter in the result line", "0153751234", ANSWERS["0153751234"])


def Pasting(desktop):
    # A cell copied from a spreadsheet ends in a line end (CRLF on Windows).
    SetClipboard("03-3520-1234\n")
    Check("paste of a copied cell", NumberAfter(desktop, "ctrl+v", changed_to="0335201234"),
          "0335201234")
    SetClipboard("+81 11-201-2345")
    Check("paste of a written number",
          NumberAfter(desktop, "ctrl+a", "ctrl+v", changed_to="0112012345"), "0112012345")
    for not_one_number in ("03-3520-XXXX", "Kobal", "0112012345 0112012346",
                           "0112012345\n0112012346\n", "\u202e0112012345", "0" * 12,
                           "1" * 3_000_000):
        SetClipboard(not_one_number)
        Check(f"paste of {not_one_number[:20]!r}", NumberAfter(desktop, "ctrl+a", "ctrl+v"),
              "0112012345")
    desktop.Keys("Return")
    CheckReady(desktop, "search after pastes", "0112012345", ANSWERS["0112012345"])


def AboutBox(desktop):
    desktop.Keys("alt+h", "a")
    box = desktop.WaitFor(lambda state: state.MessageBox() is not None, "the About box")
    box = box.MessageBox()
    Check("About box caption", box["caption"], "Kobal")
    Check("About box text", box["controls"].get(0xFFFF, {}).get("text"), ABOUT_TEXT)
    desktop.Keys("Return")
    desktop.WaitFor(lambda state: state.MessageBox() is None, "the About box to close")
    CheckReady(desktop, "after the About box", "0112012345", ANSWERS["0112012345"])


def HelpOpened(record, expected, what):
    opened = RecordedOpens(record, bool(expected))
    Check(what, [pathlib.PureWindowsPath(name).name for name in opened], expected)


def Help(desktop, folder, record):
    desktop.Keys("F1")
    HelpOpened(record, [], "F1 with no help file")
    Check("F1 with no help file: windows", len(desktop.State().dialogs), 1)
    (folder / "kobal.hlp").write_text("<html>not a WinHelp file</html>")
    desktop.Keys("F1")
    HelpOpened(record, ["kobal.hlp"], "F1 with kobal.hlp")
    # The compiled help beside it is what Windows 10 and 11 can show.
    (folder / "kobal.chm").write_bytes(b"ITSF")
    desktop.Keys("alt+h", "c")
    HelpOpened(record, ["kobal.chm"], "目次 by keyboard with kobal.chm beside kobal.hlp")
    CheckReady(desktop, "after 目次", "0112012345", ANSWERS["0112012345"])
    # A real WinHelp file comes first, for a machine with a WinHelp viewer.
    (folder / "kobal.hlp").write_bytes(b"\x3f\x5f\x03\x00" + bytes(60))
    popup = desktop.OpenMenuByMouse(1)
    desktop.Click((popup[0] + popup[2]) // 2, popup[1] + (popup[3] - popup[1] - 8) // 4 + 1)
    HelpOpened(record, ["kobal.hlp"], "目次 by mouse with a WinHelp kobal.hlp")
    CheckReady(desktop, "after 目次 by mouse", "0112012345", ANSWERS["0112012345"])


def Session(desktop, program, folder, steps, ending):
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    dialog = desktop.Start(program, folder).Lookup()
    try:
        steps(dialog)
        ending(desktop.State().Lookup())
        Check(f"the program ends after {ending.__doc__}", desktop.Ended(), True)
    finally:
        desktop.Stop()


def main():
    wine, program, probe, recorder, work, locale = sys.argv[1:7]
    screenshot = sys.argv[7] if len(sys.argv) > 7 else None
    work = pathlib.Path(work).resolve()
    work.mkdir(parents=True, exist_ok=True)
    record = work / "help-opened.txt"
    record.unlink(missing_ok=True)
    # A stand-in viewer for both help file types, which writes down what the shell asked it to open.
    association = HelpViewerRegistry(recorder, record, [".hlp", ".chm"])
    desktop = WineDesktop(wine, probe, work, locale)
    desktop.Prepare(association)

    def Esc(dialog):
        """Esc"""
        desktop.Keys("Escape")

    def ExitByKeyboard(dialog):
        """ファイル → 終了 by keyboard"""
        desktop.Keys("alt+f", "x")

    def CloseBox(dialog):
        """the close box"""
        desktop.Click(*dialog["closebox"])

    def ExitByMouse(dialog):
        """ファイル → 終了 by mouse"""
        desktop.Click(*Centre(desktop.OpenMenuByMouse(0)))

    try:
        Session(desktop, program, work / "typing",
                lambda dialog: (Typing(desktop, dialog, screenshot), Pasting(desktop)), Esc)
        Session(desktop, program, work / "menus",
                lambda dialog: (desktop.Click(*Centre(dialog["controls"][NUMBER]["rect"])),
                                desktop.Type("0112012345"), desktop.Keys("Return"),
                                AboutBox(desktop), Help(desktop, work / "menus", record)),
                ExitByKeyboard)
        Session(desktop, program, work / "close-box",
                lambda dialog: desktop.Click(*Centre(dialog["controls"][NUMBER]["rect"])), CloseBox)
        Session(desktop, program, work / "exit-by-mouse",
                lambda dialog: desktop.Click(*Centre(dialog["controls"][NUMBER]["rect"])),
                ExitByMouse)
    finally:
        desktop.Remove()

    for failure in failures:
        print("FAIL", failure)
    print(f"{locale}: {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
