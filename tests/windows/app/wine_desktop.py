"""A Wine prefix and desktop to drive Kobal.exe in as a user would: Wine's virtual desktop on the
X display (xdotool is reliable only there), Japanese fonts, a locale of the test's choosing, and
the probe that reads the windows back from inside the same desktop."""
import os
import pathlib
import re
import shutil
import subprocess
import time

DESKTOP_SIZE = (800, 600)
WINE_FONTS = pathlib.Path("/usr/share/wine/fonts")
JAPANESE_FONT = "IPAPGothic"

# Debian's Wine does not install its own fonts into a prefix, and nothing maps the Japanese
# Windows faces: without these the menus, captions and message boxes show boxes.
REGISTRY = rf"""Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="{DESKTOP_SIZE[0]}x{DESKTOP_SIZE[1]}"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"MS UI Gothic"="{JAPANESE_FONT}"
"ＭＳ Ｐゴシック"="{JAPANESE_FONT}"
"MS PGothic"="{JAPANESE_FONT}"
"ＭＳ ゴシック"="IPAGothic"
"MS Gothic"="IPAGothic"
"Meiryo UI"="{JAPANESE_FONT}"
"Yu Gothic UI"="{JAPANESE_FONT}"
"""


class WineDesktop:
    def __init__(self, wine, probe, work, locale):
        self.wine = wine
        self.probe = probe
        self.work = pathlib.Path(work)
        self.env = dict(os.environ)
        # A prefix of its own: the desktop, fonts and locale are this test's, and stopping its
        # wineserver stops nothing of the tests beside it.
        self.env["WINEPREFIX"] = str(self.work / "wine")
        self.env.setdefault("WINEDEBUG", "-all")
        self.env.setdefault("WINEDLLOVERRIDES", "mscoree,mshtml,winemenubuilder.exe=")
        self.prefix = pathlib.Path(self.env["WINEPREFIX"])
        self.env.update(LocaleEnvironment(locale, self.work / "locales"))
        self.program = None

    def Prepare(self, extra_registry=""):
        """Creates the prefix and sets its desktop and fonts."""
        boot = subprocess.run([self.wine, "wineboot", "-i"], env=self.env, capture_output=True)
        if boot.returncode != 0:
            raise AssertionError(f"wineboot -i ended with {boot.returncode} in {self.prefix}:\n"
                                 + boot.stderr.decode(errors="replace")[-2000:])
        fonts = self.prefix / "drive_c/windows/Fonts"
        fonts.mkdir(parents=True, exist_ok=True)
        for font in ("tahoma.ttf", "tahomabd.ttf", "marlett.ttf"):
            shutil.copyfile(WINE_FONTS / font, fonts / font)
        registry = self.work / "desktop.reg"
        registry.write_text(REGISTRY + extra_registry, encoding="utf-16")
        self.Wine("regedit", "/S", str(registry))
        # The desktop a new prefix started with is not a virtual one: the next start makes it anew.
        self.Stop()

    def Wine(self, *args, cwd=None, check=True, timeout=120):
        return subprocess.run([self.wine, *args], env=self.env, cwd=cwd, check=check,
                              capture_output=True, timeout=timeout)

    def Start(self, program, cwd, *args):
        self.program = subprocess.Popen([self.wine, str(program), *args], env=self.env, cwd=cwd,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # A probe started while Wine is still making the desktop can hang on it: the desktop's
        # X window first.
        self.DesktopWindow()
        return self.WaitFor(lambda state: state.Lookup() is not None, "the Kobal window")

    def State(self):
        for _ in range(3):
            try:
                probe = self.Wine(self.probe, "state", timeout=20, check=False)
            except subprocess.TimeoutExpired:
                continue
            if probe.returncode == 0:
                return State(probe.stdout.decode("utf-8"))
            time.sleep(0.5)
        raise AssertionError("the probe does not answer")

    def WaitFor(self, condition, what, timeout=30):
        state = self.Poll(condition, timeout)
        if not condition(state):
            raise AssertionError(f"waited {timeout} s for {what}; the windows were:\n{state.text}")
        return state

    def Poll(self, condition, timeout):
        """The first state that meets `condition`, or the last one seen when `timeout` s passed."""
        deadline = time.monotonic() + timeout
        while True:
            state = self.State()
            if condition(state) or time.monotonic() > deadline:
                return state
            time.sleep(0.05)

    def Ended(self, timeout=20):
        try:
            self.program.wait(timeout=timeout)
            return True
        except subprocess.TimeoutExpired:
            return False

    def Stop(self):
        if self.program is not None and self.program.poll() is None:
            self.program.kill()
            self.program.wait()
        subprocess.run([self.wine + "server", "-k"], env=self.env, check=False)
        subprocess.run([self.wine + "server", "-w"], env=self.env, check=False)

    def Remove(self):
        """Stops the prefix and deletes it: over a gigabyte each, three of them an architecture."""
        self.Stop()
        shutil.rmtree(self.prefix, ignore_errors=True)

    def OpenMenuByMouse(self, index):
        """Opens the menu bar's menu `index` with the mouse and returns its popup's rectangle: a
        click on the first menu, then the pointer moved right along the bar until another menu
        opens (the menus of another process are out of reach of the probe, so the items'
        places are found as a user finds them)."""
        dialog = self.State().Lookup()
        bar_y = dialog["client"][1] - GetMenuHeight(dialog) // 2
        x = dialog["client"][0] + 12
        self.Click(x, bar_y)
        popup = self.WaitFor(lambda state: state.popups, "a menu to open").popups[0]["rect"]

        def Moved(state):
            return state.popups and state.popups[0]["rect"][0] != popup[0]
        for _ in range(index):
            while True:
                x += 8
                if x > dialog["client"][2]:
                    raise AssertionError(f"no menu {index} on the menu bar")
                self.MoveTo(x, bar_y)
                # Most steps stay on the same menu: a short wait each, cut short by a change.
                moved = self.Poll(Moved, 0.5)
                if Moved(moved):
                    popup = moved.popups[0]["rect"]
                    break
        return popup

    # The user's hands: xdotool on the desktop's X window.
    def DesktopWindow(self):
        for _ in range(300):
            found = subprocess.run(["xdotool", "search", "--name", "Wine desktop"],
                                   capture_output=True, text=True).stdout.split()
            if found:
                return found[0]
            time.sleep(0.1)
        program = "not started" if self.program is None else (
            "running" if self.program.poll() is None else f"ended with {self.program.returncode}")
        names = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", ".",
                                "getwindowname", "%@"], capture_output=True, text=True).stdout
        names = [name for name in names.split("\n") if name]
        raise AssertionError(f"no Wine desktop window on the display (the program {program}); "
                             f"the windows shown: {names}")

    # Keys, typing and clicks reach the program in the order they are made, so a wait for the
    # state that the last of them makes also covers the ones before it; nothing sleeps after them.
    def Keys(self, *keys):
        subprocess.run(["xdotool", "key", "--delay", "80", *keys], check=True)

    def Type(self, text):
        subprocess.run(["xdotool", "type", "--delay", "80", text], check=True)

    def MoveTo(self, x, y):
        window = self.DesktopWindow()
        subprocess.run(["xdotool", "mousemove", "--window", window, str(x), str(y)], check=True)

    def Click(self, x, y):
        window = self.DesktopWindow()
        subprocess.run(["xdotool", "mousemove", "--window", window, str(x), str(y), "click", "1"],
                       check=True)

    def Screenshot(self, path, rect):
        """The part `rect` (left, top, right, bottom) of the desktop, as a PNG."""
        left, top, right, bottom = rect
        subprocess.run(["import", "-window", self.DesktopWindow(), "-crop",
                        f"{right - left}x{bottom - top}+{left}+{top}", "+repage", str(path)],
                       check=True)


def HelpViewerRegistry(recorder, record, extensions):
    """Registry lines that make `recorder` (kobal-help-recorder.exe) the viewer of `extensions`:
    it writes down in the file `record` what the shell asked it to open."""
    def WindowsPath(path):
        return "Z:" + str(pathlib.Path(path).resolve()).replace("/", "\\\\")
    command = f'\\"{WindowsPath(recorder)}\\" \\"{WindowsPath(record)}\\" \\"%1\\"'
    lines = [f'\n[HKEY_CLASSES_ROOT\\{extension}]\n@="Kobal.TestHelp"\n' for extension in extensions]
    lines.append(f'\n[HKEY_CLASSES_ROOT\\Kobal.TestHelp\\shell\\open\\command]\n@="{command}"\n')
    return "".join(lines)


def RecordedOpens(record, expect_any):
    """The names the stand-in viewer was asked to open, waiting for one when one is expected and
    a little while for none otherwise; the record is emptied."""
    deadline = time.monotonic() + (15 if expect_any else 3)
    while time.monotonic() < deadline:
        if record.exists() and record.read_text().strip():
            break
        time.sleep(0.2)
    opened = record.read_text().splitlines() if record.exists() else []
    record.unlink(missing_ok=True)
    return opened


def LocaleEnvironment(locale, folder):
    """LANG and LC_ALL for `locale` ("ja_JP.UTF-8", "en_US.UTF-8"), compiled into a folder of the
    test's own when the system has not generated it."""
    env = {"LANG": locale, "LC_ALL": locale}
    if locale in subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout.replace(
            "utf8", "UTF-8").split():
        return env
    folder.mkdir(parents=True, exist_ok=True)
    if not (folder / locale).exists():
        language, charset = locale.split(".")
        subprocess.run(["localedef", "-i", language, "-f", charset, str(folder / locale)],
                       check=False, capture_output=True)
    env["LOCPATH"] = str(folder)
    return env


LINE = re.compile(r'^(\w+) (.*)$')


class State:
    """The probe's report: dialogs, their controls, the focus and the open menus."""

    def __init__(self, text):
        self.text = text
        self.dialogs = []
        self.popups = []
        for line in text.splitlines():
            kind, rest = LINE.match(line).groups()
            if kind == "window":
                window_class, thread, *rect, caption = Split(rest)
                entry = {"class": window_class, "caption": caption, "rect": list(map(int, rect)),
                         "controls": {}, "focus": None, "closebox": None}
                (self.popups if window_class == "#32768" else self.dialogs).append(entry)
            elif kind == "control":
                control_id, control_class, *fields = Split(rest)
                control = {"class": control_class, "rect": list(map(int, fields[:4])),
                           "text": fields[4]}
                if len(fields) > 5:
                    control["selection"] = (int(fields[6]), int(fields[7]))
                    control["limit"] = int(fields[9])
                self.dialogs[-1]["controls"][int(control_id)] = control
            elif kind == "client":
                self.dialogs[-1]["client"] = list(map(int, rest.split()))
            elif kind == "focus":
                self.dialogs[-1]["focus"] = int(rest)
            elif kind == "closebox":
                self.dialogs[-1]["closebox"] = tuple(map(int, rest.split()))

    def Lookup(self):
        """The lookup dialog: the one with the number field."""
        for dialog in self.dialogs:
            if 1000 in dialog["controls"]:
                return dialog
        return None

    def MessageBox(self):
        """The other dialog: a message box (the About box)."""
        for dialog in self.dialogs:
            if 1000 not in dialog["controls"]:
                return dialog
        return None


def Split(text):
    """Space-separated fields; a quoted field is a string with \\n, \\r, \\\\ and \\" escapes."""
    fields = []
    for match in re.finditer(r'"((?:[^"\\]|\\.)*)"|(\S+)', text):
        if match.group(1) is not None:
            fields.append(re.sub(r"\\(.)", lambda m: {"n": "\n", "r": "\r"}.get(m[1], m[1]),
                                 match.group(1)))
        else:
            fields.append(match.group(2))
    return fields


def GetMenuHeight(dialog):
    """The menu bar's height: the gap between the caption's bottom and the client area."""
    caption_bottom = 2 * dialog["closebox"][1] - dialog["rect"][1]
    return max(dialog["client"][1] - caption_bottom, 10)


def Centre(rect):
    return (rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2
