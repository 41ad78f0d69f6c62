#!/usr/bin/env python3
"""The fields' generator on broken copies of the real data: a carrier text or fixed-line answer
the data does not split, or splits more than one way, and a key of the list that is not split as
its area code and local code stop it, and a failed run leaves the previous output as it was."""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, "../..")
GENERATOR = os.path.join(ROOT, "tools/gen_fields.py")
LIST = "mic-fixed-2010-01-04.csv"
PREVIOUS = "// the output of an earlier, good run\n"


class FieldsGeneratorRun(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="kobal-fields-")
        self.addCleanup(shutil.rmtree, self.work)
        self.tables = os.path.join(self.work, "tables")
        shutil.copytree(os.path.join(ROOT, "library/tables"), self.tables)
        self.data = os.path.join(self.work, "data")
        shutil.copytree(os.path.join(ROOT, "fields/data"), self.data)
        self.output = os.path.join(self.work, "out", "FieldTables.cpp")
        os.makedirs(os.path.dirname(self.output))
        with open(self.output, "w", encoding="ascii") as handle:
            handle.write(PREVIOUS)

    def edit(self, path, old, new):
        """Replaces the first line that starts with `old` by `new` (None: drops it)."""
        with open(path, encoding="utf-8", newline="") as handle:
            lines = handle.read().split("\n")
        number = next(i for i, line in enumerate(lines) if line.startswith(old))
        if new is None:
            del lines[number]
        else:
            lines[number] = new
        with open(path, "w", encoding="utf-8", newline="") as handle:
            handle.write("\n".join(lines))

    def generate(self):
        return subprocess.run(
            [sys.executable, GENERATOR, "--tables", self.tables, "--data", self.data,
             "--list", os.path.join(self.tables, "sources", LIST), "--output", self.output],
            capture_output=True, text=True)

    def assert_rejected(self, reason):
        run = self.generate()
        self.assertEqual(run.returncode, 1, run.stderr)
        self.assertIn(": error: ", run.stderr)
        self.assertIn(reason, run.stderr)
        with open(self.output, encoding="ascii") as handle:
            self.assertEqual(handle.read(), PREVIOUS)

    def test_real_data_generate_ascii(self):
        run = self.generate()
        self.assertEqual(run.returncode, 0, run.stderr)
        with open(self.output, "rb") as handle:
            content = handle.read()
        self.assertTrue(content.isascii())
        self.assertIn(b"kAnswerTable", content)
        self.assertIn(b'kNineDigitAreaCode = std::string_view{"0460", 4}', content)

    def test_carrier_texts_must_each_split_once(self):
        names = os.path.join(self.data, "carrier-names.txt")
        cases = [
            ("アステル中部|", None, "without a line"),
            ("アステル中部|", "アステル中部|アステル|関西", "does not stand in"),
            ("アステル中部|", "アステル中部|ステル|", None),  # a brand inside a word is allowed
            ("IDO|", "IDO|IDO|IDO", "does not stand in"),  # the region is not the brand again
            ("IDO|", "IDX|IDX|", "no carrier text"),
            ("データなし|", "IDO|IDO|", "given twice"),
        ]
        for old, new, reason in cases:
            with self.subTest(new=new):
                shutil.copy(os.path.join(ROOT, "fields/data/carrier-names.txt"), names)
                self.edit(names, old, new)
                if reason is None:
                    self.assertEqual(self.generate().returncode, 0)
                    with open(self.output, "w", encoding="ascii") as handle:
                        handle.write(PREVIOUS)
                else:
                    self.assert_rejected(reason)

    def test_every_fixed_line_answer_splits_by_one_prefecture(self):
        prefectures = os.path.join(self.data, "prefectures.txt")
        self.edit(prefectures, "北海道", "北海")  # then 北海道札幌 has the place 道札幌: still one way
        self.edit(prefectures, "青森県", "北海道")  # and 北海道札幌 two ways
        self.assert_rejected("splits 2 ways")
        shutil.copy(os.path.join(ROOT, "fields/data/prefectures.txt"), prefectures)
        self.edit(prefectures, "神奈川県", None)
        self.assert_rejected("splits 0 ways")

    def test_keys_of_the_list_are_checked(self):
        path = os.path.join(self.tables, "sources", LIST)
        cases = [
            ("001,札幌,011201,", "001,札幌,011201,0112,02,ＮＴＴ東日本,使用中,\r", "not split"),
            ("001,札幌,011201,", "001,札幌,011201,011201,,ＮＴＴ東日本,使用中,\r", "not split"),
            ("001,札幌,011201,", "001,札幌,011201,011,202,ＮＴＴ東日本,使用中,\r", "not split"),
            ("001,札幌,011201,", "001,,011201,011,201,ＮＴＴ東日本,使用中,\r", "no MA"),
            ("001,札幌,011201,", "001,札幌,011200,011,200,ＮＴＴ東日本,使用中,\r", "given twice"),
            ("001,札幌,011201,", "001,札幌,099012,099,012,ＮＴＴ西日本,使用中,\r", "no fixed line"),
            ("code_area,", "code_area,MA,key,area,local_code,operator,status,note\r", "header"),
        ]
        for old, new, reason in cases:
            with self.subTest(new=new):
                shutil.copy(os.path.join(ROOT, "library/tables/sources", LIST), path)
                self.edit(path, old, new)
                self.assert_rejected(reason)

    def test_hakone_needs_one_charge_area(self):
        path = os.path.join(self.tables, "sources", LIST)
        self.edit(path, "235,小田原,046082,", "235,箱根,046082,0460,82,ＮＴＴ東日本,使用中,\r")
        self.assert_rejected("area code 0460")


if __name__ == "__main__":
    unittest.main()
