#!/usr/bin/env python3
"""The table generator on broken copies of the real sources: errors name file and line, and a
failed run leaves the previous output as it was."""

import ast
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
GENERATOR = os.path.join(HERE, "../../tools/gen_tables.py")
TABLES = os.path.join(HERE, "../../library/tables")
sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(GENERATOR))
import gen_tables  # noqa: E402

PREVIOUS = "// the output of an earlier, good run\n"


class GeneratorRun(unittest.TestCase):
    def setUp(self):
        self.fresh_copy()

    def fresh_copy(self):
        self.work = tempfile.mkdtemp(prefix="kobal-gen-")
        self.addCleanup(shutil.rmtree, self.work)
        self.tables = os.path.join(self.work, "tables")
        shutil.copytree(TABLES, self.tables)
        self.output = os.path.join(self.work, "out", "KobalTables.cpp")
        os.makedirs(os.path.dirname(self.output))
        with open(self.output, "w", encoding="ascii") as handle:
            handle.write(PREVIOUS)

    def replace_line(self, name, old, new):
        """Replaces the first line of a source that starts with `old`; returns its path and number."""
        path = os.path.join(self.tables, name)
        with open(path, encoding="utf-8") as handle:
            lines = handle.read().split("\n")
        number = next(i for i, line in enumerate(lines) if line.startswith(old))
        lines[number] = new if new is not None else lines[number] + "|irregular"
        with open(path, "w", encoding="utf-8") as handle:
            handle.write("\n".join(lines))
        return path, number + 1

    def generate(self):
        return subprocess.run(
            [sys.executable, GENERATOR, "--tables", self.tables, "--output", self.output],
            capture_output=True, text=True)

    def assert_rejected(self, name, old, new, reason, later=0):
        path, line = self.replace_line(name, old, new)
        line += later  # a rule about neighbouring lines is told at the line that breaks it
        run = self.generate()
        self.assertEqual(run.returncode, 1, run.stderr)
        self.assertIn(f"{path}:{line}: error: ", run.stderr)
        self.assertIn(reason, run.stderr)
        with open(self.output, encoding="ascii") as handle:
            self.assertEqual(handle.read(), PREVIOUS)
        self.assertEqual(os.listdir(os.path.dirname(self.output)), ["KobalTables.cpp"])

    def test_real_sources_generate_ascii(self):
        run = self.generate()
        self.assertEqual(run.returncode, 0, run.stderr)
        with open(self.output, "rb") as handle:
            content = handle.read()
        self.assertTrue(content.isascii())
        self.assertIn(b"kExchangeTables", content)

    def test_malformed_line_of_each_kind_of_file(self):
        cases = [
            ("texts.txt", "Unknown|", "Unknown", "fields"),
            ("texts.txt", "DialQ2|", "DialQ3|x", "unknown text name"),
            ("service-numbers.txt", "117|", "182|時報", "not 100 to 181"),
            ("service-numbers.txt", "117|", "117|", "empty service text"),
            ("nine-digit.txt", "04603|", "0460|x", "is not 5 digits"),
            ("nine-digit.txt", "04603|", "04603|\U0001F4DE", "no Shift-JIS form"),
            ("mobile-carriers.txt", "DKs|", "D1|x", "bad code"),
            ("mobile-blocks.txt", "0903|5|", "0903|5|IDO IDO", "expected 10 codes"),
            ("mobile-blocks.txt", "0903|5|", "0903|5|IDO IDO IDO IDO XYZ IDO IDO IDO IDO IDO", "XYZ"),
            ("mobile-blocks.txt", "0903|5|", "0903|6|" + "IDO " * 10, "fifth digit"),
            ("exchange-5.txt", "山梨県韮崎|", "山梨県韮崎|;055122;045123", "';05' and four digits"),
            ("exchange-5.txt", "山梨県韮崎|", "山梨県韮崎|;05512", "';05' and four digits"),
            ("exchange-5.txt", "山梨県韮崎|", "韮崎|;055122", "prefecture"),
            ("exchange-5.txt", "山梨県韮崎|", "山梨県韮 崎|;055122", "holds"),
            ("exchange-5.txt", "山梨県韮崎|", "山梨県|;055122", "no place"),
            ("exchange-5.txt", "山梨県韮崎|", "山梨県韮崎|;055122|odd", "unknown flag"),
            ("exchange-5.txt", "山梨県武川|", "大阪府武川|;055126", "one block", 1),
        ]
        for name, old, new, reason, *later in cases:
            with self.subTest(file=name, line=new):
                self.fresh_copy()
                self.assert_rejected(name, old, new, reason, *later)

    def test_irregular_flag_only_on_irregular_lists(self):
        cases = [
            ("exchange-4.txt", "千葉県幕張|", "千葉県幕張|;043211;0432212;043271", "is not 1 to 26 entries"),
            ("exchange-4.txt", "千葉県小見川", "千葉県小見川／虫幡|047882", "is not 1 to 26 entries"),
            ("exchange-5.txt", "山梨県韮崎|", None, "marked irregular but is regular"),
            ("exchange-5.txt", "山梨県韮崎|", "山梨県韮崎|;055122;055123|", "unknown flag ''"),
            ("exchange-4.txt", "千葉県小見川", "千葉県小見川／虫幡|057882|irregular",
             "entries of 6 or 7 digits of 04"),
        ]
        for name, old, new, reason in cases:
            with self.subTest(file=name, line=new):
                self.fresh_copy()
                self.assert_rejected(name, old, new, reason)


class Limits(unittest.TestCase):
    def test_more_carriers_than_a_block_number_holds_is_an_error(self):
        with tempfile.TemporaryDirectory() as folder:
            legend = os.path.join(folder, "mobile-carriers.txt")
            codes = [a + b for a in "ABCDEFGHIJKLMNOPQ" for b in "abcdefghijklmnop"]  # 272
            with open(legend, "w", encoding="utf-8") as out:
                out.write("".join(f"{code}|x\n" for code in codes))
            with self.assertRaises(gen_tables.SourceError) as caught:
                gen_tables.load_mobile(legend, os.path.join(TABLES, "mobile-blocks.txt"))
            self.assertIn(f"at most {gen_tables.MOBILE_CARRIER_LIMIT}", str(caught.exception))

    def test_mobile_group_slots_follow_the_group_order(self):
        slots = gen_tables.mobile_group_slots([("0905", []), ("0701", []), ("0900", [])])
        self.assertEqual(slots[0], [-1, 1] + [-1] * 8)
        self.assertEqual(slots[1], [2, -1, -1, -1, -1, 0, -1, -1, -1, -1])


class Literal(unittest.TestCase):
    def test_octal_escapes_round_trip(self):
        samples = [bytes(range(256)), b'"\\??=?', "NTT固定（北海道札幌大通）".encode("cp932"),
                   b"\x817", b"\x00\x01" + b"0123"]
        for data in samples:
            with self.subTest(data=data):
                literal = gen_tables.c_string(data)
                self.assertTrue(literal.isascii())
                self.assertNotIn("??", literal)  # no trigraph can form
                # Python reads \ooo, \" and \\ as C does: the literal must give the bytes back.
                self.assertEqual(ast.literal_eval("b" + literal), data)


if __name__ == "__main__":
    unittest.main()
