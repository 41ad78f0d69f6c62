"""End-to-end tests of kobal-lookup: runs the built binary and reads its output back."""
import csv
import io
import itertools
import json
import os
import pathlib
import random
import re
import signal
import subprocess
import sys
import tempfile
import unittest

TOOL = os.environ["KOBAL_LOOKUP"]
csv.field_size_limit(sys.maxsize)  # the over-long lines are single fields
SAPPORO = "NTT固定（北海道札幌大通）"  # the first exchange row of group 1 holds 011201
UNKNOWN = "不明"
UTF8 = ("--input-encoding", "utf-8")  # bytes that are not UTF-8 stay so, not read as Shift-JIS


def run(*args, stdin=b""):
    return subprocess.run([TOOL, *args], input=stdin, capture_output=True, check=False)


def answer(*args, stdin=b""):
    done = run(*args, stdin=stdin)
    assert done.returncode == 0, done.stderr
    return done.stdout


def jsonl(*args, stdin=b""):
    output = answer("--format", "jsonl", *args, stdin=stdin).decode()
    return [json.loads(line) for line in output.split("\n")[:-1]]


def tsv_unescape(field):
    escapes = {b"\\": b"\\", b"t": b"\t", b"n": b"\n", b"r": b"\r"}
    out, i = bytearray(), 0
    while i < len(field):
        if field[i:i + 1] == b"\\":
            out += escapes[field[i + 1:i + 2]]
            i += 2
        else:
            out += field[i:i + 1]
            i += 1
    return bytes(out)


def tsv_records(output):
    assert output.endswith(b"\n") or not output
    return [tuple(line.split(b"\t")) for line in output.split(b"\n")[:-1]]


class Normalisation(unittest.TestCase):
    def assert_number(self, written, expected):
        [record] = jsonl(written)
        self.assertEqual(record["number"], expected, written)
        self.assertEqual(record["input"], written)

    def test_separators_are_removed(self):
        for written in ["011-201-2345", "(011) 201-2345", "011.201.2345", "011 201 2345",
                        "011\t201\t2345", " 011-201-2345 ", "011‐201‑2345", "011‒201–2345",
                        "011—201―2345", "011−201−2345", "011ー201ー2345", "011ｰ201ｰ2345",
                        "011　201　2345", "011\u00a0201\u200b2345", "\ufeff0112012345"]:
            self.assert_number(written, "0112012345")

    def test_full_width_forms(self):
        self.assert_number("０１１－２０１－２３４５", "0112012345")
        self.assert_number("（０１１）２０１．２３４５", "0112012345")
        self.assert_number("＋８１　１１－２０１－２３４５", "0112012345")

    def test_international_forms_become_domestic(self):
        for written in ["+81 11 201 2345", "+81-11-201-2345", "+811120123 45", "+81 (0)11-201-2345",
                        "+81(0)112012345", "81-11-201-2345", "81ー11ー201ー2345", "81-011-201-2345"]:
            self.assert_number(written, "0112012345")
        self.assertEqual(jsonl("+81 90 1234 5678")[0]["number"], "09012345678")

    def test_look_alike_forms_are_left_alone(self):
        self.assert_number("8112012345", "8112012345")      # no hyphen after 81
        self.assert_number("81 11 201 2345", "81112012345")  # only a hyphen marks the country code
        self.assert_number("0-81-12", "08112")

    def test_not_a_number_is_not_looked_up(self):
        for written in ["+1 212 555 0100", "03-3520-XXXX", "tel:011-201x", "", "011\x00201"]:
            [record] = jsonl("--input", "-", stdin=written.encode() + b"\n")
            self.assertEqual(record, {"input": written, "number": None, "result": UNKNOWN})
        self.assertEqual(jsonl("TEL:011-201-2345（代）")[0]["result"], SAPPORO)

    def test_normalised_number_gets_the_plain_answer(self):
        plain = jsonl("0112012345")[0]["result"]
        self.assertEqual(plain, SAPPORO)
        for record in jsonl("+81 (0)11-201-2345", "０１１－２０１－２３４５", "81-11-201-2345"):
            self.assertEqual(record["result"], plain)

    def test_raw_passes_bytes_unchanged(self):
        [record] = jsonl("--raw", "011-201-2345")
        self.assertEqual(record["number"], "011-201-2345")
        self.assertEqual(record["result"], UNKNOWN)
        self.assertEqual(jsonl("--raw", stdin=b" 117\n117\n")[0]["number"], " 117")


TRICKY = ["0112012345", "", "a,b", 'say "hi"', "tab\there", "back\\slash", "cr\rinside",
          "esc\x1b del\x7f", "０３－１２３４", "+81 11-201-2345", "117", "line\nbreak"]


class Formats(unittest.TestCase):
    def test_tsv_gives_back_the_input(self):
        records = tsv_records(answer(*TRICKY))
        self.assertEqual([tsv_unescape(given).decode() for given, _ in records], TRICKY)
        self.assertEqual(records[0][1].decode(), SAPPORO)

    def test_csv_round_trips_through_the_csv_module(self):
        output = answer("--format", "csv", "--csv-raw", *TRICKY)
        self.assertTrue(output.endswith(b"\r\n"))
        rows = list(csv.reader(io.StringIO(output.decode(), newline="")))
        self.assertEqual([row[0] for row in rows], TRICKY)
        self.assertTrue(all(len(row) == 2 for row in rows))
        self.assertEqual(rows[0][1], SAPPORO)

    def test_csv_cells_a_spreadsheet_would_evaluate_are_text(self):
        lines = ["=1+1", "+81 11-201-2345", "-5", "@SUM(A1)", "\t=1", "\r=1", "0112012345", "a=b"]
        rows = list(csv.reader(io.StringIO(answer("--format", "csv", "--", *lines).decode(),
                                           newline="")))
        self.assertEqual([row[0] for row in rows],
                         ["'=1+1", "'+81 11-201-2345", "'-5", "'@SUM(A1)", "'\t=1", "'\r=1",
                          "0112012345", "a=b"])
        self.assertEqual(rows[1][1], SAPPORO)  # the answer is the number's, not the text's
        long_line = "=" + "1" * (3 << 20)  # in pieces
        [row] = csv.reader(io.StringIO(answer("--format", "csv", stdin=long_line.encode())
                                       .decode(), newline=""))
        self.assertEqual(row[0], "'" + long_line)
        tsv = tsv_records(answer("=1+1"))  # TSV is for pipelines: bytes kept
        self.assertEqual(tsv[0][0], b"=1+1")

    def test_status_tells_no_number_from_a_number_no_rule_places(self):
        lines = ["0112012345", "03-3520-XXXX", "0999999999", ""]
        expected = ["number", "not-a-number", "number", "not-a-number"]
        tsv = tsv_records(answer("--status", stdin="\n".join(lines).encode() + b"\n"))
        self.assertEqual([record[1].decode() for record in tsv], expected)
        self.assertEqual(tsv[2][2].decode(), UNKNOWN)
        rows = csv.reader(io.StringIO(answer("--status", "-f", "csv", *lines).decode(),
                                      newline=""))
        self.assertEqual([row[1] for row in rows], expected)
        self.assertEqual([r["status"] for r in jsonl("--status", *lines)], expected)
        self.assertEqual(len(tsv_records(answer("0112012345"))[0]), 2)  # only when asked

    def test_jsonl_round_trips_through_the_json_module(self):
        records = jsonl(*TRICKY)
        self.assertEqual([record["input"] for record in records], TRICKY)
        self.assertEqual(records[0],
                         {"input": "0112012345", "number": "0112012345", "result": SAPPORO})
        raw = answer("--format", "jsonl", "a\x01\x1f\x7f")
        self.assertIn(b"\\u0001\\u001f\\u007f", raw)

    def test_formats_agree_on_every_result(self):
        tsv = [result.decode() for _, result in tsv_records(answer(*TRICKY))]
        rows = csv.reader(io.StringIO(answer("--format", "csv", *TRICKY).decode(), newline=""))
        self.assertEqual([row[1] for row in rows], tsv)
        self.assertEqual([record["result"] for record in jsonl(*TRICKY)], tsv)

    def test_shift_jis_writes_the_library_bytes(self):
        numbers = ["0112012345", "117", "0120123456", "09012345678", "177"]  # 177 holds a 0x5C byte
        utf8 = [result for _, result in tsv_records(answer(*numbers))]
        sjis = [result for _, result in tsv_records(answer("--encoding", "shift_jis", *numbers))]
        self.assertEqual([r.decode("cp932") for r in sjis], [r.decode() for r in utf8])
        rows = csv.reader(io.StringIO(answer("--format=csv", "--encoding=sjis", *numbers)
                                      .decode("latin-1"), newline=""))
        self.assertEqual([row[1].encode("latin-1").decode("cp932") for row in rows],
                         [r.decode() for r in utf8])

    def test_invalid_utf8_in_each_format(self):
        line = b"01\xff\xe3\x81-2\xc3"
        [(given, _)] = tsv_records(answer(*UTF8, stdin=line + b"\n"))
        self.assertEqual(tsv_unescape(given), line)
        replaced = line.decode("utf-8", "replace")
        csv_output = answer("--format", "csv", *UTF8, stdin=line).decode()
        [row] = csv.reader(io.StringIO(csv_output, newline=""))
        self.assertEqual(row[0], replaced)
        [record] = jsonl(*UTF8, stdin=line)
        self.assertEqual(record["input"], replaced)
        self.assertEqual(record["result"], UNKNOWN)
        sjis = answer("--format", "csv", "--encoding", "shift_jis", *UTF8, stdin=line)
        self.assertTrue(sjis.startswith(b"01??-2?,"), sjis)  # each invalid sequence one "?"

    def test_replacement_matches_a_reference_decoder(self):
        generator = random.Random(2000)
        edge = [b"\xc0\xaf", b"\xed\xa0\x80", b"\xf4\x90\x80\x80", b"\xf0\x9f\x93\x9e",
                b"\xe0\x9f\xbf", b"\xef\xbf\xbd", b"\xf1\x80\x80", b"\xc2"]
        lines = edge + [bytes(generator.choice(b"\x00\x7f\x80\xbf\xc2\xe0\xed\xf0\xf4\xff09a-")
                              for _ in range(generator.randrange(12))) for _ in range(3000)]
        stdin = b"\n".join(lines) + b"\n"
        expected = [line.decode("utf-8", "replace") for line in lines]
        output = answer("--format", "csv", "--csv-raw", *UTF8, stdin=stdin).decode()
        self.assertEqual([row[0] for row in csv.reader(io.StringIO(output, newline=""))], expected)
        self.assertEqual([r["input"] for r in jsonl(*UTF8, stdin=stdin)], expected)


class LineForLine(unittest.TestCase):
    LINES = [b"117", b"", b"0112012345", b"\xff\xfe\xfd", b"", b"9" * (1 << 20), b"x" * (3 << 20),
             b"\xe3\x81", b"011-201-2345\r", b"110"]

    def check_given(self, lines, given):
        self.assertEqual(len(given), len(lines))
        for expected, actual in zip(lines, given):
            self.assertEqual(actual, expected.rstrip(b"\r"))

    def test_every_line_answered_in_order_in_every_format(self):
        stdin = b"\n".join(self.LINES)  # the last line has no newline
        given = [tsv_unescape(g) for g, _ in tsv_records(answer(*UTF8, stdin=stdin))]
        self.check_given(self.LINES, given)
        output = answer("--format", "csv", *UTF8, stdin=stdin).decode()
        rows = list(csv.reader(io.StringIO(output, newline="")))
        self.check_given([l.decode("utf-8", "replace").encode() for l in self.LINES],
                         [row[0].encode() for row in rows])
        records = jsonl(*UTF8, stdin=stdin)
        self.check_given([l.decode("utf-8", "replace").encode() for l in self.LINES],
                         [r["input"].encode() for r in records])
        self.assertEqual([r["result"] for r in records][:3], ["時報", UNKNOWN, SAPPORO])
        self.assertEqual(records[5]["result"], UNKNOWN)  # a million digits are no number

    def test_many_lines_across_buffer_boundaries(self):
        lines = [str(i * 7919).encode() * (i % 23) for i in range(60000)]
        with tempfile.NamedTemporaryFile() as file:
            file.write(b"\n".join(lines) + b"\n")
            file.flush()
            output = answer("--input", file.name)
            # Held to one core, the threads that answer the blocks share it and no worker can
            # step aside to another: the same records, in the same order.
            pinned = subprocess.run(["taskset", "-c", str(min(os.sched_getaffinity(0))), TOOL,
                                     "--input", file.name], capture_output=True, check=True)
        self.assertEqual([g for g, _ in tsv_records(output)], lines)
        self.assertEqual(pinned.stdout, output)

    def test_very_short_lines_in_order(self):
        lines = [b"" if i % 3 == 0 else str(i % 10).encode() for i in range(50000)]
        given = [g for g, _ in tsv_records(answer(stdin=b"\n".join(lines) + b"\n"))]
        self.assertEqual(given, lines)

    def test_nul_byte_is_not_cut_short(self):
        records = jsonl("--raw", stdin=b"0112012345\n0112012345\x00\n0112012345\x009\n")
        self.assertEqual([r["result"] for r in records], [SAPPORO, UNKNOWN, UNKNOWN])
        self.assertEqual(records[1]["input"], "0112012345\x00")

    def test_lines_of_digits_answer_as_the_same_text_given_alone(self):
        # Lines of plain digits take a shorter road than other lines and arguments; mixed with
        # other lines, with and without CR, long and short and last without a newline, each
        # must give the record of the same text given as an argument.
        rng = random.Random(10)
        texts = []
        for _ in range(2000):
            digits = "".join(rng.choice("0123456789")
                             for _ in range(rng.choice([0, 1, 3, 9, 10, 10, 11, 11, 12, 16, 17, 40])))
            texts.append(rng.choice(["0", "00", "010", "", "", "", "0110", "090"]) + digits)
            if rng.random() < 0.1:
                texts.append(rng.choice(["011-201-2345", "x1", "０３", "117 ", "", "1\\2"]))
        for options in [(), ("--raw",), ("--format", "jsonl"), ("--format", "csv", "--raw")]:
            alone = answer(*options, "--", *texts)
            for ending in [b"\n", b"\r\n"]:
                stdin = ending.join(t.encode() for t in texts)
                self.assertEqual(answer(*options, stdin=stdin), alone, (options, ending))

    def test_empty_input_gives_no_output(self):
        self.assertEqual(answer(stdin=b""), b"")
        self.assertEqual(len(tsv_records(answer(stdin=b"\n"))), 1)

    def test_arguments_and_dash_input(self):
        self.assertEqual([g for g, _ in tsv_records(answer("117", "--", "-110", "110"))],
                         [b"117", b"-110", b"110"])
        self.assertEqual(tsv_records(answer("--input", "-", stdin=b"117\n")),
                         [(b"117", "時報".encode())])


class Answers(unittest.TestCase):
    """Every answer the library can give, converted once and reused: order must not matter."""

    def test_answers_do_not_depend_on_order_or_encoding(self):
        numbers = [f"0{group}{key:04d}0000" for group in range(1, 10) for key in range(10000)]
        numbers += [f"{prefix}{key:04d}0000" for prefix in ("070", "090") for key in range(10000)]
        numbers += [f"{value:03d}" for value in range(1000)]
        forward = dict(tsv_records(answer(stdin="\n".join(numbers).encode())))
        backward = dict(tsv_records(answer(stdin="\n".join(reversed(numbers)).encode())))
        self.assertEqual(forward, backward)
        sjis = dict(tsv_records(answer("--encoding", "shift_jis", stdin="\n".join(numbers).encode())))
        self.assertEqual({k: v.decode("cp932") for k, v in sjis.items()},
                         {k: v.decode() for k, v in forward.items()})
        self.assertGreater(len(set(forward.values())), 150)  # many distinct answers were cached
        # Each distinct answer first appears at the line that stored it; answered again in small
        # runs, where the answer table never has to grow, each must come out the same.
        first = list({result: number for number, result in reversed(forward.items())}.values())
        for start in range(0, len(first), 50):
            batch = first[start:start + 50]
            self.assertEqual(dict(tsv_records(answer(*[n.decode() for n in batch]))),
                             {n: forward[n] for n in batch})


    def test_the_shared_table_of_numbers_asked(self):
        """The table that the core's, Python's and the module's tests read too."""
        table = pathlib.Path(__file__).parent.parent / "support" / "numbers-asked.tsv"
        escapes = {"0": "\0", "t": "\t", "n": "\n", "r": "\r"}
        rows = [line.split("\t") for line in table.read_text(encoding="utf-8").splitlines()
                if not line.startswith("#")]
        rows = [[re.sub(r"\\(.)", lambda m: escapes.get(m[1], m[1]), row[0]), *row[1:]]
                for row in rows]
        rows = [row for row in rows if not set(row[0]) & set("\r\n")]  # one line each
        given = "".join(row[0] + "\n" for row in rows).encode()
        self.assertEqual([record["result"] for record in jsonl("--raw", stdin=given)],
                         [row[1] for row in rows])
        self.assertEqual([record["result"] for record in jsonl(stdin=given)], [row[2] for row in rows])


class Encodings(unittest.TestCase):
    LINES = ["電話：011-201-2345（代）", "０９０－１２３４－５６７８", "117", "ﾃｽﾄ 03-XXXX", "髙橋 ∑ ＼"]

    def expected(self):
        return jsonl(*self.LINES)

    def test_files_as_windows_software_writes_them(self):
        text = "\r\n".join(self.LINES) + "\r\n"
        files = {"shift_jis": text.encode("cp932"), "utf-8": b"\xef\xbb\xbf" + text.encode(),
                 "utf-16": b"\xff\xfe" + text.encode("utf-16-le")}
        files["auto"] = b"\xfe\xff" + text.encode("utf-16-be")
        for name, data in files.items():
            for chosen in ("auto", name):
                with self.subTest(file=name, chosen=chosen):
                    self.assertEqual(jsonl("--input-encoding", chosen, stdin=data), self.expected())

    def test_each_line_of_a_file_without_a_mark_decides_for_itself(self):
        data = b"\n".join(line.encode("cp932" if i % 2 else "utf-8")
                          for i, line in enumerate(self.LINES))
        self.assertEqual(jsonl(stdin=data), self.expected())
        self.assertEqual(jsonl("--input-encoding", "shift_jis", stdin=b"\xef\xbb\xbf117")[0]["number"],
                         None)  # a mark in a Shift-JIS file is text, not a mark

    def test_raw_passes_the_bytes_as_read(self):
        line = "04602漢字"  # nine bytes in Shift-JIS: the library reads its first five only
        [record] = jsonl("--raw", stdin=line.encode("cp932"))
        self.assertEqual(record["input"], line)
        self.assertEqual(record["result"], "NTT固定（神奈川県箱根）")

    def test_shift_jis_output_holds_every_field(self):
        lines = self.LINES + ["☃ ¥ 117", "03-3520-1234 \\ x1"]
        for form in ("tsv", "csv"):
            utf8 = answer("--format", form, *lines).decode()
            sjis = answer("--format", form, "--encoding", "shift_jis", *lines).decode("cp932")
            self.assertEqual(sjis, utf8.replace("☃", "?").replace("¥", "?"), form)

    def test_utf16_cut_anywhere_still_gives_one_line_each(self):
        data = b"\xff\xfe" + "117\n\ud83d\udcde\n".encode("utf-16-le", "surrogatepass") + b"\x00\xd8"
        records = jsonl("--input", "-", stdin=data + b"1")
        self.assertEqual([r["input"] for r in records], ["117", "\U0001f4de", "\ufffd"])


class Memory(unittest.TestCase):
    def test_a_line_of_256_mib_is_echoed_whole_in_bounded_memory(self):
        piece = "０３－３５２０ ".encode() * 7 + b"\xff"  # characters cut at every piece boundary
        count = (256 << 20) // len(piece)
        # GNU time measures the tool alone: this process's own memory, which a child shares
        # until it starts the tool, does not count.
        with tempfile.TemporaryFile() as output, tempfile.NamedTemporaryFile() as peak:
            process = subprocess.Popen(["/usr/bin/time", "-f", "%M", "-o", peak.name, TOOL, *UTF8],
                                       stdin=subprocess.PIPE, stdout=output)
            process.stdin.write(b"117\n")
            for _ in range(count):
                process.stdin.write(piece)
            process.stdin.write(b"\n0112012345\n")
            process.stdin.close()
            self.assertEqual(process.wait(), 0)
            if os.environ.get("KOBAL_SANITIZED", "0") == "0":
                self.assertLess(int(peak.read()), 64 << 10, "peak resident memory in KiB")
            output.seek(0)
            self.assertEqual(output.readline(), "117\t時報\n".encode())
            long_line = output.readline()
            self.assertEqual(len(long_line), count * len(piece) + len("\t不明\n".encode()))
            self.assertTrue(long_line.startswith(piece * 100))
            self.assertTrue(long_line.endswith(piece * 100 + "\t不明\n".encode()))
            self.assertEqual(output.read(), f"0112012345\t{SAPPORO}\n".encode())

    def test_long_lines_in_every_format(self):
        lines = [("a\"\\\t,é０\r" * 40000).encode(), b"x" * 65535 + b"\r", b"\xe3\x81\x82" * 30000]
        stdin = b"\n".join(lines + [b"117"])
        expected = [line.decode("utf-8", "replace") for line in lines] + ["117"]
        records = jsonl(*UTF8, stdin=stdin)
        self.assertEqual([r["input"] for r in records], [e.rstrip("\r") for e in expected])
        self.assertEqual([r["number"] for r in records], [None, None, None, "117"])
        rows = list(csv.reader(io.StringIO(answer("--format", "csv", *UTF8, stdin=stdin).decode(),
                                           newline="")))
        self.assertEqual([row[0] for row in rows], [e.rstrip("\r") for e in expected])
        given = [tsv_unescape(g) for g, _ in tsv_records(answer(*UTF8, stdin=stdin))]
        self.assertEqual(given, [line.rstrip(b"\r") for line in lines] + [b"117"])
        sjis = answer("--format", "csv", "--encoding", "shift_jis", stdin=stdin).decode("cp932")
        self.assertEqual([row[0] for row in csv.reader(io.StringIO(sjis, newline=""))],
                         [e.rstrip("\r").replace("é", "?") for e in expected])


FIELDS_TABLE = pathlib.Path(__file__).parent.parent / "support" / "fields.tsv"


def fields_table():
    """The shared table's names and rows (input first): every front end's tests read it."""
    lines = FIELDS_TABLE.read_text(encoding="utf-8").split("\n")
    rows = [line.split("\t") for line in lines if line and not line.startswith("#")]
    return rows[0], rows[1:]


class Fields(unittest.TestCase):
    NAMES, ROWS = fields_table()
    INPUTS = [row[0] for row in ROWS]
    STDIN = "".join(row[0] + "\n" for row in ROWS).encode()

    def test_the_shared_table_in_every_format(self):
        self.assertEqual(self.NAMES[0], "input")
        tsv = tsv_records(answer("--fields", "all", stdin=self.STDIN))
        self.assertEqual(len(tsv), len(self.ROWS))
        for got, row in zip(tsv, self.ROWS):
            for name, value, expected in zip(self.NAMES, got, row):
                self.assertEqual(tsv_unescape(value).decode(), expected, (row[0], name))
        rows = list(csv.reader(io.StringIO(
            answer("--fields", "all", "--format", "csv", "--csv-raw", stdin=self.STDIN).decode(),
            newline="")))
        self.assertEqual(rows, self.ROWS)
        for record, row in zip(jsonl("--fields", "all", stdin=self.STDIN), self.ROWS):
            self.assertEqual(list(record), self.NAMES)  # exactly the fields, in their order
            # The input is what was read; any other empty field is null.
            self.assertEqual(record, {name: value if value or name == "input" else None
                                      for name, value in zip(self.NAMES, row)})

    def test_fields_come_in_the_order_given_and_only_those(self):
        chosen = ["result", "formatted", "kind", "input"]
        columns = [self.NAMES.index(name) for name in chosen]
        expected = [[row[i] for i in columns] for row in self.ROWS]
        rows = list(csv.reader(io.StringIO(answer(
            "--fields", " result, formatted,kind ,input", "--format", "csv", "--csv-raw",
            stdin=self.STDIN).decode(), newline="")))
        self.assertEqual(rows, expected)
        self.assertEqual([list(r) for r in jsonl("--fields", ",".join(chosen), stdin=self.STDIN)],
                         [chosen] * len(self.ROWS))
        self.assertEqual(answer("--fields", "ma", "0123201234", "117"), "千歳\n\n".encode())
        # Operands, --raw and the same numbers hyphenated agree with the table.
        self.assertEqual(answer("--fields", "formatted,place", "01267-2-1234"),
                         "01267-2-1234\t岩見沢\n".encode())
        self.assertEqual(answer("--raw", "--fields", "number,status,kind", "0120123456", "03-1"),
                         b"0120123456\tnumber\ttoll-free\n03-1\tnumber\tunknown\n")

    def test_cells_a_spreadsheet_would_evaluate_are_text_and_long_lines_are_answered(self):
        given = ["=1+2", "@SUM(A1)", "-abc"]
        rows = list(csv.reader(io.StringIO(answer(
            "--fields", "status,input,result", "--format", "csv", "--", *given).decode(),
            newline="")))
        self.assertEqual(rows, [["not-a-number", "'" + g, UNKNOWN] for g in given])
        raw = list(csv.reader(io.StringIO(answer(
            "--fields", "input,number", "--format", "csv", "--raw", "--csv-raw", "--", *given
        ).decode(), newline="")))
        self.assertEqual(raw, [[g, g] for g in given])
        long_line = "０３－" * 30000  # longer than a piece: answered in pieces
        for fields in ["all", "result,input,kind", "status"]:
            records = jsonl("--fields", fields, stdin=(long_line + "\n117\n").encode())
            self.assertEqual(records[0].get("input", long_line), long_line, fields)
            self.assertEqual(records[0].get("status", "not-a-number"), "not-a-number")
            self.assertEqual(records[1].get("input", "117"), "117")

    def test_shift_jis_writes_every_field(self):
        for form in ("tsv", "csv"):
            utf8 = answer("--fields", "all", "--format", form, stdin=self.STDIN).decode()
            sjis = answer("--fields", "all", "--format", form, "--encoding", "shift_jis",
                          stdin=self.STDIN)
            self.assertEqual(sjis.decode("cp932"), utf8, form)
            self.assertIn("北海道".encode("cp932"), sjis)

    def test_bad_lists_and_status_are_usage_errors(self):
        for args in [["--fields", "bogus"], ["--fields", ""], ["--fields", "input,,result"],
                     ["--fields", "kind,kind"], ["--fields", "all", "--status"],
                     ["--fields"]]:
            done = run(*args, "117")
            self.assertEqual(done.returncode, 2, args)
            self.assertEqual(done.stdout, b"")
        message = run("--fields", "input,prefectur", "117").stderr.decode()
        self.assertIn('"prefectur"', message)
        self.assertIn("prefecture", message)  # the valid names are listed
        self.assertEqual(message.count("\n"), 1)


class ExitStatus(unittest.TestCase):
    def assert_fails(self, status, args, *names):
        done = run(*args)
        self.assertEqual(done.returncode, status, args)
        self.assertEqual(done.stdout, b"")
        message = done.stderr.decode()
        self.assertEqual(message.count("\n"), 1, message)
        self.assertTrue(message.startswith("kobal-lookup: "), message)
        for name in names:
            self.assertIn(name, message)

    def test_usage_errors(self):
        for args in [["--bogus"], ["-x"], ["--format", "xml"], ["--format"],
                     ["--encoding", "latin1"], ["--input-encoding", "latin1"],
                     ["--raw=yes"], ["--input", "a", "117"], ["--input", "a", "--input", "b"],
                     ["--format", "jsonl", "--encoding", "shift_jis"], ["--input="],
                     ["--encoding", "utf-16", "117"], ["--column", "1", "117"],
                     ["--format", "xlsx", "--column", "1"], ["-c", "1", "-f", "jsonl"],
                     ["--delimiter", "ab"], ["-Vx"], ["-i"]]:
            self.assert_fails(2, args)

    def test_io_errors_name_the_file(self):
        self.assert_fails(1, ["--input", "/nonexistent/numbers.txt"], "/nonexistent/numbers.txt")
        with tempfile.TemporaryDirectory() as folder:
            self.assert_fails(1, ["--input", folder], folder)
        with open("/dev/full", "wb") as full:
            done = subprocess.run([TOOL, "117"], stdout=full, stderr=subprocess.PIPE, check=False)
        self.assertEqual(done.returncode, 1)
        self.assertIn(b"standard output", done.stderr)
        # A closed pipe ends it quietly, as it ends cat: by SIGPIPE, or with 0 when ignored.
        for (ignored, status), args in itertools.product(
                [(False, -signal.SIGPIPE), (True, 0)], [["117"], ["--column", "1"]]):
            reader, writer = os.pipe()
            os.close(reader)
            done = subprocess.run(
                [TOOL, *args], input=b"117\n" * 100000, stdout=writer, stderr=subprocess.PIPE,
                check=False,
                preexec_fn=(lambda: signal.signal(signal.SIGPIPE, signal.SIG_IGN)) if ignored
                else None)
            os.close(writer)
            self.assertEqual((done.returncode, done.stderr), (status, b""), ignored)

    def test_options_combine_and_abbreviate(self):
        self.assertEqual(answer("-hV"), answer("--help"))
        self.assertEqual(answer("--form=csv", "--enc", "sjis", "117"),
                         answer("--format", "csv", "--encoding", "shift_jis", "117"))
        self.assertEqual(answer("117", "-fcsv", "0112012345"),
                         answer("--format=csv", "117", "0112012345"))
        self.assertEqual(tsv_records(answer("--", "-117", "-h"))[1][0], b"-h")
        self.assert_fails(2, ["--in", "x"], "--in")  # --input or --input-encoding

    def test_output_file_is_whole_or_untouched(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "answers.tsv")
            self.assertEqual(answer("--output", path, "117"), b"")
            with open(path, "rb") as written:
                self.assertEqual(written.read(), answer("117"))
            self.assert_fails(1, ["--output", path, "--input", os.path.join(folder, "none")])
            with open(path, "rb") as kept:
                self.assertEqual(kept.read(), answer("117"))  # not replaced by a half file
            self.assertEqual(os.listdir(folder), ["answers.tsv"])

    def test_success_help_and_version(self):
        self.assertEqual(run("117").returncode, 0)
        version = os.environ["KOBAL_VERSION"]
        self.assertEqual(answer("--version").decode(), f"kobal-lookup {version}\n")
        help_text = answer("--help").decode()
        with open(os.environ["KOBAL_MAN_PAGE"], encoding="utf-8") as page:
            manual = page.read().replace("\\-", "-")
        for option in ["--input", "--input-encoding", "--raw", "--format", "--encoding", "--help",
                       "--version", "--column", "--delimiter", "--header", "--no-header",
                       "--output", "--status", "--csv-raw", "--fields"]:
            self.assertIn(option, help_text)
            self.assertIn(option, manual)
        for field in fields_table()[0]:  # each field is listed and explained
            self.assertIn(field, help_text)
            self.assertIn(f".B {field}", manual)


if __name__ == "__main__":
    unittest.main()
