"""kobal-lookup.exe under Wine beside the Linux kobal-lookup: the same standard output byte for
byte, the same messages and exit status, for every format, output and input encoding, on files in
UTF-8, UTF-16 and Shift-JIS, a file with a Japanese name, files that cannot be read, and numbers
given as arguments. Usage: compare_lookup.py WINE KOBAL_LOOKUP_EXE LINUX_KOBAL_LOOKUP"""
import os
import signal
import random
import subprocess
import sys
import tempfile

WINE, WINDOWS_TOOL, LINUX_TOOL = (os.path.abspath(path) if os.sep in path else path
                                  for path in sys.argv[1:4])
# Wine reads the command line of the Unix side in the locale's encoding.
ENVIRONMENT = dict(os.environ, LC_ALL="C.UTF-8")

# Numbers as people write them, and lines that are none, as the CLI's own tests have them.
WRITTEN = [
    "011-201-2345", "(011) 201-2345", "011.201.2345", "011 201 2345", "011\t201\t2345",
    " 011-201-2345 ", "011‐201‑2345", "011−201−2345", "011ー201ー2345", "011ｰ201ｰ2345",
    "011　201　2345", "\ufeff0112012345", "０１１－２０１－２３４５", "（０１１）２０１．２３４５",
    "＋８１　１１－２０１－２３４５", "+81 11 201 2345", "+81 (0)11-201-2345", "81-11-201-2345",
    "8112012345", "0-81-12", "TEL: 03-1234-5678", "電話番号：03-1234-5678", "☎ 06-6123-4567",
    "tel:+81-3-1234-5678", "03-1234-5678 内線 123", "03-1234-5678 (代)", "090-1234-5678",
    "０８０－１２３４－５６７８", "070-1234-5678", "020-123-4567", "0120-123-456", "0570-000-000",
    "0990-123-456", "110", "117", "00", "0", "", "XXXX-XXXX", "abc", "03-XXXX-1234",
    "\"quoted\",comma", "back\\slash", "ctrl\x01\x1f", "テスト", "末尾CR\r", "ＴＥＬ　０３",
]
# Bytes that no encoding reads whole, and a line longer than the reader's piece.
HOSTILE = [b"\xff\xfe\x00bad", b"0312\x80345678", b"\x82\xa0\x82", b"stop\x1amid-line",
           b"nul\x00byte", b"9" * 70000, b"0" * 65535 + b"\r"]


def mixed_numbers(count):
    """Numbers of every length and prefix, random but the same on every run."""
    chance = random.Random(2000)
    lines = []
    for _ in range(count):
        digits = "0" + "".join(chance.choice("0123456789") for _ in range(chance.randint(1, 11)))
        cut = chance.randint(1, len(digits))
        lines.append(digits if chance.random() < 0.5 else digits[:cut] + "-" + digits[cut:])
    return lines


def utf8_lines(lines, end="\n"):
    return "".join(line + end for line in lines).encode()


FILES = {
    "utf-8.txt": utf8_lines(WRITTEN + mixed_numbers(3000)) + b"\n".join(HOSTILE) + b"\n",
    "crlf-no-last-newline.txt": utf8_lines(WRITTEN, "\r\n") + b"0312345678",
    "bom-utf-8.txt": b"\xef\xbb\xbf" + utf8_lines(WRITTEN),
    "utf-16le.txt": b"\xff\xfe" + "\r\n".join(WRITTEN).encode("utf-16-le"),
    "utf-16be.txt": b"\xfe\xff" + "\n".join(WRITTEN).encode("utf-16-be"),
    "utf-16-no-bom.txt": "\n".join(WRITTEN).encode("utf-16-le"),
    "shift_jis.txt": "\r\n".join(WRITTEN).encode("cp932", errors="replace") + b"\r\n",
    "電話番号.txt": utf8_lines(WRITTEN[:12]),
    # A customer list as Japanese Excel saves it: Shift-JIS, CRLF, a header, quoted cells.
    "顧客一覧.csv": "\r\n".join(["氏名,電話番号,FAX,住所"] + [
        f'顧客{i},{number},"{number}\n{number}","東京都, {i}"' for i, number in enumerate(WRITTEN[:40])
        if '"' not in number and "\r" not in number and "\n" not in number
    ]).encode("cp932", errors="replace") + b"\r\n",
}


def run(tool, args, stdin, folder):
    """Exit status, standard output and standard error (its line ends as on Linux: Windows
    writes its messages in text mode, as every program there does)."""
    command = [WINE, tool] if tool == WINDOWS_TOOL else [tool]
    # Standard error through a file: Wine's helper processes hold a second pipe open a while.
    with tempfile.TemporaryFile() as errors:
        done = subprocess.run(command + args, input=stdin or b"", stdout=subprocess.PIPE,
                              stderr=errors, cwd=folder, env=ENVIRONMENT, check=False,
                              timeout=120)
        errors.seek(0)
        return done.returncode, done.stdout, errors.read().replace(b"\r\n", b"\n")


def run_into_closed_pipe(tool, folder):
    """A reader that stops after a few bytes: what the tool says and its exit status."""
    command = [WINE, tool] if tool == WINDOWS_TOOL else [tool]
    with tempfile.TemporaryFile() as errors:
        process = subprocess.Popen(command + ["--input", "many.txt"], stdout=subprocess.PIPE,
                                   stderr=errors, cwd=folder, env=ENVIRONMENT)
        process.stdout.read(10)
        process.stdout.close()
        process.wait(timeout=120)
        errors.seek(0)
        return process.returncode, errors.read().replace(b"\r\n", b"\n")


def main():
    cases = []
    formats = [["--format", f] for f in ("tsv", "csv", "jsonl")]
    encodings = [["--encoding", e] for e in ("utf-8", "shift_jis")]
    for form in formats:
        for encoding in encodings if form != formats[2] else encodings[:1]:
            for raw in ([], ["--raw"]):
                cases.append((form + encoding + raw + ["--input", "utf-8.txt"], None))
    for name in FILES:
        for chosen in ("auto", "utf-8", "shift_jis", "utf-16"):
            for form in (formats[0] + encodings[1], formats[2]):
                cases.append((["--input-encoding", chosen, *form, "--input", name], None))
    cases += [
        # Standard input through a pipe: CRLF, Ctrl-Z and NUL bytes read as bytes.
        ([], FILES["utf-8.txt"]),
        (["--input", "-", "--format", "csv"], FILES["crlf-no-last-newline.txt"]),
        (["--input", "电话番号.txt"], None),          # missing, with a Chinese name
        (["--input", "missing.txt"], None),
        (["--input", "folder"], None),
        (["--input", "電話番号.txt", "--format", "jsonl"], None),
        (["011-201-2345", "０３－１２３４－５６７８", "電話 090-1234-5678", "", "abc"], None),
        (["--format", "csv", "--encoding", "shift_jis", "+81 (0)6 6123 4567", "不明"], None),
        (["--raw", "--format", "jsonl", "０３１２３４５６７８", "0312345678"], None),
        (["--input", "顧客一覧.csv", "--column", "電話番号,FAX", "--status"], None),
        (["--input", "顧客一覧.csv", "--column", "3", "--csv-raw", "--encoding", "utf-8"], None),
        (["--input", "顧客一覧.csv", "--column", "携帯"], None),  # no such column
        (["--fields", "all", "--input", "utf-8.txt"], None),  # chosen fields
        (["--fields", "result,formatted,input,ma", "--format", "jsonl", "--input", "utf-8.txt"],
         None),
        (["--fields", "all", "--format", "csv", "--encoding", "shift_jis", "--input",
          "utf-8.txt"], None),
        (["--input", "顧客一覧.csv", "--column", "電話番号,FAX", "--fields", "kind,prefecture"],
         None),
        (["--fields", "bogus", "117"], None),
        (["--format", "xml"], None),                    # usage errors
        (["--input"], None),
        (["--help"], None),
        (["--version"], None),
    ]
    failures = 0
    with tempfile.TemporaryDirectory() as folder:
        for name, content in FILES.items():
            with open(os.path.join(folder, name), "wb") as file:
                file.write(content)
        os.mkdir(os.path.join(folder, "folder"))
        with open(os.path.join(folder, "many.txt"), "wb") as file:
            file.write(b"0312345678\n" * 200000)  # answers far beyond a pipe's and our buffer
        linux, windows = (run_into_closed_pipe(tool, folder) for tool in (LINUX_TOOL, WINDOWS_TOOL))
        # Both end quietly: on Linux by SIGPIPE, as cat does; Windows has no such signal, and
        # its status is 0.
        if linux[0] == -signal.SIGPIPE:
            linux = (0, linux[1])
        if windows != linux:
            windows = run_into_closed_pipe(WINDOWS_TOOL, folder)  # as below
        if windows != linux:
            failures += 1
            print(f"DIFFERENT: a closed pipe: Windows {windows}, Linux {linux}")
        for args, stdin in cases:
            linux = run(LINUX_TOOL, args, stdin, folder)
            windows = run(WINDOWS_TOOL, args, stdin, folder)
            if windows != linux:
                # Wine on a busy machine now and then fails a start of its own ("wine: ..."):
                # a second run tells that from a difference of the program, which is the same
                # on every run.
                print(f"different once, run again: {args}: {windows[2][:200]!r}")
                windows = run(WINDOWS_TOOL, args, stdin, folder)
            if windows != linux:
                failures += 1
                print(f"DIFFERENT: {args} (exit {linux[0]} on Linux, {windows[0]} on Windows)")
                for label, mine, theirs in (("out", windows[1], linux[1]),
                                            ("err", windows[2], linux[2])):
                    if mine != theirs:
                        at = next((i for i, (a, b) in enumerate(zip(mine, theirs)) if a != b),
                                  min(len(mine), len(theirs)))
                        print(f"  std{label} from byte {at}: Windows {mine[at:at + 60]!r}, "
                              f"Linux {theirs[at:at + 60]!r}")
                if b"\r\n" in windows[1] and b"\r\n" not in linux[1]:
                    print("  standard output went through text mode (CRLF line ends)")
    print(f"{len(cases) + 1 - failures} of {len(cases) + 1} runs the same on Windows and Linux")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
