#!/usr/bin/env python3
"""The generator's exchange index: the first row whose list holds each "0N" + four-character key."""

import os
import re
import sys
import tempfile
import unittest

TOOLS = sys.argv.pop(1) if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "../../tools")
sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, TOOLS)
import gen_tables  # noqa: E402  (found through the path above)


def rows(*lists):
    return [(f"row{n}".encode(), text.encode("ascii")) for n, text in enumerate(lists)]


def slot(tail):
    return gen_tables.key_slot(tail)


class BuildIndex(unittest.TestCase):
    def test_slots_are_base_11_with_the_separator_last(self):
        self.assertEqual(slot("0000"), 0)
        self.assertEqual(slot("0001"), 1)
        self.assertEqual(slot("0010"), 11)
        self.assertEqual(slot(";;;;"), gen_tables.INDEX_SIZE - 1)
        self.assertEqual(len({slot(f"{n:04d}") for n in range(10000)}), 10000)

    def test_first_holder_answers(self):
        index = gen_tables.build_index(1, rows(";011581;011593", ";011591;011593", ";011201;011201"))
        self.assertEqual(index[slot("1593")], 0)
        self.assertEqual(index[slot("1591")], 1)
        self.assertEqual(index[slot("1201")], 2)
        self.assertEqual(index[slot("1111")], gen_tables.NO_INDEXED_ROW)

    def test_keys_across_a_separator(self):
        index = gen_tables.build_index(1, rows(";011581;011593", ";011201;011201"))
        self.assertEqual(index[slot(";011")], 1)  # "01;011" stands across the second list's ";"
        self.assertEqual(index[slot("81;0")], gen_tables.NO_INDEXED_ROW)  # "1581;0" has no "01" first
        held = [row for row in index if row != gen_tables.NO_INDEXED_ROW]
        self.assertEqual(len(held), 4)  # 011581, 011593, 011201 and 01;011

    def test_seven_digit_entry_and_missing_separator(self):
        index = gen_tables.build_index(4, rows(";043211;0432212", ";043221;043223", "047882"))
        self.assertEqual(index[slot("3221")], 0)  # the first six digits of 0432212
        self.assertEqual(index[slot("3223")], 1)
        self.assertEqual(index[slot("7882")], 2)
        self.assertEqual(index[slot("3212")], gen_tables.NO_INDEXED_ROW)  # 0432212 does not hold 043212
        self.assertEqual(index[slot("2212")], gen_tables.NO_INDEXED_ROW)  # its tail 432212 is no "04" key

    def test_other_groups_keys_are_not_indexed(self):
        index = gen_tables.build_index(2, rows(";011201"))
        self.assertEqual(index, [gen_tables.NO_INDEXED_ROW] * gen_tables.INDEX_SIZE)

    def test_emitted_index_matches_the_rows(self):
        source = os.path.join(os.path.dirname(os.path.abspath(gen_tables.__file__)), "../library/tables")
        content = gen_tables.generate(source)
        body = content.split("kExchangeIndex4[kExchangeIndexSize] = {")[1].split("};")[0]
        numbers = [int(n) for n in re.findall(r"-?\d+", body)]
        self.assertEqual(len(numbers), gen_tables.INDEX_SIZE)
        exchange = gen_tables.load_exchange(os.path.join(source, "exchange-4.txt"), 4)
        self.assertEqual(numbers, gen_tables.build_index(4, exchange))

    def test_rows_past_the_last_byte_row_number_are_an_error(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "exchange-5.txt")
            with open(path, "w", encoding="utf-8") as out:
                out.write("山梨県韮崎|;055122\n" * (gen_tables.INDEX_ROW_LIMIT + 1))
            with self.assertRaises(gen_tables.SourceError) as caught:
                gen_tables.load_exchange(path, 5)
            self.assertIn("the index holds at most", str(caught.exception))

    def test_most_rows_the_index_holds_are_accepted(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "exchange-5.txt")
            with open(path, "w", encoding="utf-8") as out:
                out.write("山梨県韮崎|;055122\n" * (gen_tables.INDEX_ROW_LIMIT - 1))
                out.write("山梨県甲府|;055123\n")
            exchange = gen_tables.load_exchange(path, 5)
            index = gen_tables.build_index(5, exchange)
            self.assertEqual(index[slot("5123")], gen_tables.INDEX_ROW_LIMIT - 1)
            self.assertLess(index[slot("5123")], gen_tables.NO_INDEXED_ROW)


if __name__ == "__main__":
    unittest.main()
