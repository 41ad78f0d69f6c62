#!/usr/bin/env python3
"""The rules both table generators share: the form of an exchange row, errors naming file and
line, and writing several outputs all or none."""

import os
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.join(HERE, "../../tools"))
import table_format  # noqa: E402
from table_format import SourceError  # noqa: E402


class ExchangeRowForm(unittest.TestCase):
    def rejects(self, check, *args):
        with self.assertRaises(SourceError) as caught:
            check(*args, "exchange-4.txt", 7)
        self.assertTrue(str(caught.exception).startswith("exchange-4.txt:7: error: "), caught.exception)
        return str(caught.exception)

    def test_place_names(self):
        self.assertEqual(table_format.check_place_name("山梨県韮崎", "f", 1)[0], "山梨県")
        self.assertEqual(table_format.check_place_name("北海道別海／上春別／上風連／浜別海", "f", 1)[1],
                         "北海道別海／上春別／上風連／浜別海".encode("cp932"))
        self.assertIn("holds '|'", self.rejects(table_format.check_place_name, "山梨県韮|崎"))
        self.assertIn("holds ' '", self.rejects(table_format.check_place_name, "山梨県韮 崎"))
        self.assertIn("table prefecture", self.rejects(table_format.check_place_name, "愛知県名古屋"))
        self.assertIn("joins its names badly", self.rejects(table_format.check_place_name, "北海道a／b／c／d／e"))
        self.assertIn("at most 34", self.rejects(table_format.check_place_name, "北海道別海／上春別／上風連／浜別海町"))
        self.assertIn("at least 8", self.rejects(table_format.check_place_name, "北海道a"))

    def test_prefix_lists(self):
        longest = ";043211" * 26  # 182 characters
        table_format.check_prefix_list(longest, 4, False, "f", 1)
        self.assertIn("1 to 26 entries", self.rejects(table_format.check_prefix_list, longest + ";043211", 4, False))
        # Seven-digit entries make an irregular list longer than a regular one can be.
        seven = ";0432212" * 23  # 184 characters
        self.assertIn("at most 182", self.rejects(table_format.check_prefix_list, seven, 4, True))
        table_format.check_prefix_list(";0432212" * 22, 4, True, "f", 1)
        self.assertIn("is regular", self.rejects(table_format.check_prefix_list, ";043211", 4, True))
        self.assertIn("6 or 7 digits of 04", self.rejects(table_format.check_prefix_list, "0532212", 4, True))

    def test_flags(self):
        self.assertTrue(table_format.parse_flag("irregular", "f", 1))
        self.assertFalse(table_format.parse_flag(None, "f", 1))
        with self.assertRaises(SourceError):
            table_format.parse_flag("", "f", 1)


class Reading(unittest.TestCase):
    def test_comments_blanks_and_line_numbers(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "t.txt")
            with open(path, "w", encoding="utf-8", newline="") as out:
                out.write("# comment\r\n\r\na|b\r\n  \nc|d|e\n")
            self.assertEqual(list(table_format.read_lines(path)), [(3, "a|b"), (5, "c|d|e")])
            with self.assertRaises(SourceError) as caught:
                list(table_format.read_records(path, {2}))
            self.assertIn(f"{path}:5: error: expected 2", str(caught.exception))

    def test_unreadable_files_name_the_file(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "t.txt")
            with open(path, "wb") as out:
                out.write(b"a|\x95\x73\n")  # Shift-JIS, not UTF-8
            with self.assertRaises(SourceError) as caught:
                list(table_format.read_lines(path))
            self.assertIn(f"{path}:0: error: not UTF-8", str(caught.exception))
            with self.assertRaises(SourceError):
                list(table_format.read_lines(os.path.join(folder, "missing.txt")))


class Writing(unittest.TestCase):
    def test_a_failed_write_leaves_every_target_as_it_was(self):
        with tempfile.TemporaryDirectory() as folder:
            first = os.path.join(folder, "first.txt")
            blocked = os.path.join(folder, "blocked")
            with open(first, "w", encoding="utf-8") as out:
                out.write("before\n")
            with open(blocked, "w", encoding="utf-8") as out:
                out.write("a file where the second target needs a folder\n")
            with self.assertRaises(OSError):
                table_format.write_atomically({first: "after\n", os.path.join(blocked, "second.txt"): "x\n"})
            with open(first, encoding="utf-8") as handle:
                self.assertEqual(handle.read(), "before\n")
            self.assertEqual(sorted(os.listdir(folder)), ["blocked", "first.txt"])  # no temporary left

            table_format.write_atomically({first: "after\n", os.path.join(folder, "new", "second.txt"): "2\n"})
            with open(first, encoding="utf-8") as handle:
                self.assertEqual(handle.read(), "after\n")
            self.assertTrue(os.path.exists(os.path.join(folder, "new", "second.txt")))


if __name__ == "__main__":
    unittest.main()
