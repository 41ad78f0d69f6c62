"""The SQLite extension end to end: loaded by the sqlite3 shell and by Python's sqlite3, its
answers checked against kobal-lookup's on the same values, written as one line each, and against
the table of fields every front end's tests read."""
import json
import os
import random
import sqlite3
import subprocess
import sys
import tempfile
import unittest

EXTENSION = os.path.splitext(os.environ["KOBAL_SQLITE_EXTENSION"])[0]  # as users name it
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from written_forms import unescape  # noqa: E402

TOOL = os.environ["KOBAL_LOOKUP"]
SHELL = os.environ.get("KOBAL_SQLITE3_SHELL", "")
MIX_SAMPLE = int(os.environ.get("KOBAL_MIX_SAMPLE", "20000"))  # more for a one-off run
UNKNOWN = "不明"
SKIPPED = 77


def mix(count=MIX_SAMPLE, *options):
    done = subprocess.run([os.environ["KOBAL_BENCH_NUMBERS"], str(count), *options],
                          capture_output=True, check=True)
    return done.stdout.split(b"\n")[:-1]


def written_forms():
    """The inputs of the normaliser's table, as bytes: \\xHH there is a raw byte."""
    values = []
    with open(os.environ["KOBAL_WRITTEN_FORMS"], encoding="utf-8") as table:
        for line in table:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            written = line.split("\t")[0] if "\t" in line else line
            values.append(unescape(written))
    return values


def hostile(count=3000):
    """Short runs of any byte but the newline, many of them digits."""
    rng = random.Random(28)
    byte = lambda: rng.choice(b"0123456789") if rng.random() < 0.4 else rng.randrange(256)
    return [bytes(b for b in (byte() for _ in range(rng.randrange(24))) if b != 0x0A)
            for _ in range(count)]


def lookup_answers(lines):
    """kobal-lookup's result for each line, its input file made of exactly those lines."""
    # A first line of its own: a value that starts as a byte order mark would does not start the file.
    data = b"117\n" + b"".join(line + b"\n" for line in lines)
    done = subprocess.run([TOOL, "--format", "tsv"], input=data, capture_output=True, check=True)
    records = done.stdout.decode("utf-8").split("\n")[:-1]
    assert len(records) == len(lines) + 1
    return [record.rsplit("\t", 1)[1] for record in records[1:]]


def lookup_records(lines):
    """kobal-lookup's JSON record of every field for each line, empty values but the input as
    null, as kobal_parse gives them."""
    data = b"117\n" + b"".join(line + b"\n" for line in lines)
    done = subprocess.run([TOOL, "--format", "jsonl", "--fields", "all"], input=data,
                          capture_output=True, check=True)
    records = [json.loads(record) for record in done.stdout.decode("utf-8").split("\n")[:-1]]
    assert len(records) == len(lines) + 1
    return [{key: value if key == "input" else value or None for key, value in record.items()}
            for record in records[1:]]


def fields_table():
    """The shared table of fields: its field names, and each row as a dict, empty cells but the
    input None."""
    with open(os.environ["KOBAL_FIELDS_TABLE"], encoding="utf-8") as table:
        rows = [line.rstrip("\n").split("\t") for line in table]
    return rows[0], [{name: cell if name == "input" else cell or None
                      for name, cell in zip(rows[0], row)} for row in rows[1:]]


def as_value(line):
    """A str where the bytes are UTF-8, else the bytes themselves (a BLOB)."""
    try:
        return line.decode("utf-8")
    except UnicodeDecodeError:
        return line


class Shell(unittest.TestCase):
    """The sqlite3 shell with `.load`, as the README shows it."""

    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.db = os.path.join(self.folder.name, "customers.db")

    def tearDown(self):
        self.folder.cleanup()

    def shell(self, *commands):
        done = subprocess.run([SHELL, "-bail", self.db, f".load {EXTENSION}", *commands],
                              capture_output=True, check=False)
        self.assertEqual(done.returncode, 0, done.stderr)
        return done.stdout.decode("utf-8").split("\n")[:-1]

    def fill(self, lines):
        with sqlite3.connect(self.db) as db:
            db.execute("CREATE TABLE customers(tel)")
            db.executemany("INSERT INTO customers VALUES (?)", ((as_value(line),) for line in lines))
        db.close()

    def test_imported_mix_answers_as_kobal_lookup(self):
        numbers = mix() + mix(2000, "--hyphens")
        path = os.path.join(self.folder.name, "numbers.txt")
        with open(path, "wb") as file:
            file.write(b"".join(number + b"\n" for number in numbers))
        answers = self.shell("CREATE TABLE customers(tel TEXT)", f".import {path} customers",
                             "SELECT kobal_lookup(tel) FROM customers ORDER BY rowid")
        self.assertEqual(answers, lookup_answers(numbers))

    def test_written_forms_and_hostile_bytes_answer_as_kobal_lookup(self):
        lines = written_forms() + hostile()
        self.fill(lines)
        answers = self.shell("SELECT kobal_lookup(tel) FROM customers ORDER BY rowid")
        self.assertEqual(answers, lookup_answers(lines))

    def test_null_and_huge_text(self):
        self.assertEqual(self.shell(".nullvalue NULL", "SELECT kobal_lookup(NULL)"), ["NULL"])
        self.assertEqual(self.shell("SELECT kobal_lookup(printf('%.*c', 50000000, '9'))"), [UNKNOWN])
        self.assertEqual(self.shell(".nullvalue NULL",
                                    "SELECT kobal_format(NULL), kobal_parse(NULL), "
                                    "kobal_parse(printf('%.*c', 5000000, 'x')) ->> 'status'"),
                         ["NULL|NULL|not-a-number"])

    def test_fields_table_through_parse_and_format(self):
        names, rows = fields_table()
        self.fill(row["input"].encode() for row in rows)
        lines = self.shell(".nullvalue NULL", ".separator \\t",
                           "SELECT kobal_format(tel), kobal_parse(tel), kobal_parse(tel) ->> "
                           "'prefecture' FROM customers ORDER BY rowid")
        self.assertEqual(len(lines), len(rows))
        for line, row in zip(lines, rows):
            formatted, parsed, prefecture = line.split("\t")
            answer = json.loads(parsed)
            self.assertEqual(list(answer), names)  # every key, in the fields' order
            self.assertEqual(answer, row)
            self.assertEqual(formatted, row["formatted"] or "NULL")
            self.assertEqual(prefecture, row["prefecture"] or "NULL")


class Python(unittest.TestCase):
    """Debian's python3 and its sqlite3 module, with load_extension."""

    def setUp(self):
        self.db = sqlite3.connect(":memory:")
        self.db.enable_load_extension(True)
        self.db.load_extension(EXTENSION)
        self.db.enable_load_extension(False)

    def tearDown(self):
        self.db.close()

    def answers(self, values):
        self.db.execute("CREATE TEMP TABLE IF NOT EXISTS t(v)")
        self.db.execute("DELETE FROM t")
        self.db.executemany("INSERT INTO t VALUES (?)", ((v,) for v in values))
        return [a for (a,) in self.db.execute("SELECT kobal_lookup(v) FROM t ORDER BY rowid")]

    def test_mix_written_forms_and_hostile_bytes_answer_as_kobal_lookup(self):
        lines = mix() + written_forms() + hostile()
        self.assertEqual(self.answers(as_value(line) for line in lines), lookup_answers(lines))
        # Bytes as a BLOB, UTF-8 or not, answer as the same line.
        self.assertEqual(self.answers(lines), lookup_answers(lines))

    def test_parse_answers_as_kobal_lookup(self):
        names, _ = fields_table()
        lines = mix() + written_forms() + hostile()
        records = lookup_records(lines)
        for values in ([as_value(line) for line in lines], lines):
            self.db.execute("CREATE TEMP TABLE IF NOT EXISTS t(v)")
            self.db.execute("DELETE FROM t")
            self.db.executemany("INSERT INTO t VALUES (?)", ((v,) for v in values))
            answers = self.db.execute("SELECT kobal_parse(v), kobal_lookup(v) FROM t ORDER BY rowid")
            for line, record, (parsed, answer) in zip(lines, records, answers):
                fields = json.loads(parsed)
                self.assertEqual(list(fields), names, line)
                if line.endswith(b"\r"):  # in a file the end of the line, in a column the value's
                    fields["input"] = fields["input"][:-1]
                self.assertEqual({key: fields[key] for key in record}, record, line)
                self.assertEqual(fields["result"] or "", answer, line)

    def test_values_of_every_type(self):
        tokyo = "NTT固定（東京都新有明）"
        self.assertEqual(self.answers([None, 117, "03-3520-1234",
                                       "０３－３５２０－１２３４".encode("cp932")]),
                         [None, "時報", tokyo, tokyo])
        self.assertEqual(self.answers([3.5, -90, "x" * 20_000_000]),
                         lookup_answers([b"3.5", b"-90"]) + [UNKNOWN])


# What each suite needs of this machine; without it the suite is reported skipped.
MISSING = {
    "Shell": None if SHELL else "no sqlite3 shell (apt-get install sqlite3)",
    "Python": None if hasattr(sqlite3.Connection, "enable_load_extension")
    else "this Python's sqlite3 loads no extension",
}

if __name__ == "__main__":
    for suite, reason in MISSING.items():
        if suite in sys.argv[1:] and reason:
            print(f"skipped: {reason}")
            sys.exit(SKIPPED)
    unittest.main()
