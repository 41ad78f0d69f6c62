#!/usr/bin/env python3
"""The exchange data generator on small fixture sources: its rules, its refusals, its outputs."""

import contextlib
import io
import os
import pathlib
import sys
import tempfile
import unittest

TOOLS = sys.argv.pop(1) if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "../../tools")
sys.path.insert(0, os.path.join(TOOLS, "exchange_data"))
import generate  # noqa: E402



def allocation(key, ma="札幌", operator="ＮＴＴ東日本", status="使用中"):
    """One line of the ministry's list; area codes are 011 and 0123 here."""
    split = 4 if key.startswith("0123") else 3
    return f"001,{ma},{key},{key[:split]},{key[split:]},{operator},{status},"


# 0112 and 0113 are NTT's Sapporo keys but for a few; the 0123 area has only 01232x (Chitose) and
# two keys of its own; 012300 to 012319 are no numbers of the plan.
ALLOCATIONS = "\n".join(
    ["code_area,MA,key,area_code,local_code,operator,status,note"]
    + [allocation(f"0112{n:02d}") for n in range(100)]
    + [allocation(f"0113{n:02d}") for n in range(40)]
    + [
        allocation("011340", operator="ＫＤＤＩ"),
        allocation("011341", operator="", status="未使用"),
        allocation("011342", operator="天気予報", status="使用不可"),
        allocation("011343", status="使用予定"),
        allocation("011344", operator="ＮＴＴ西日本"),
    ]
    + [allocation(f"0113{n:02d}") for n in range(45, 100) if n != 50]
    + [allocation("011350", operator="ソフトバンクテレコム")]  # a quoted key the list gives another carrier
    + [allocation(f"01232{n}", ma="千歳") for n in range(10)]
    + [allocation("012390", ma="夕張"), allocation("012391", ma="越境")]
    + [allocation("011100")]  # NTT's, but of a lead that is not covered
) + "\n"


def allocations_with(key, line):
    """The fixture list with the line of `key` replaced, and that line's 'file:line:'."""
    lines = ALLOCATIONS.split("\n")
    number = next(i for i, text in enumerate(lines) if f",{key}," in text)
    lines[number] = line
    return f"mic-fixed-2010-01-04.csv:{number + 1}:", dict(allocations="\n".join(lines))
MA_PREFECTURES = "# unit charge area (MA) name\tprefecture\n札幌\t北海道\n千歳\t北海道\n夕張\t北海道\n越境\t青森県\n"
QUOTED = """1|1|北海道札幌大通|;011201;011202;011203
1|-|北海道真駒内|;011350;011393
1|-|北海道石山|;011391;011393
"""
COVERAGE = "1|0112|3\n1|0113|30\n1|0123|12\n"
LAYOUT = "1|9|45|44|北海道 9\n" + "".join(f"{t}|0|0|0|\n" for t in range(2, 10))


class Fixture(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)
        self.sources = os.path.join(self.folder.name, "sources")
        self.out = os.path.join(self.folder.name, "out")
        os.makedirs(self.sources)
        self.write(allocations=ALLOCATIONS, prefectures=MA_PREFECTURES, quoted=QUOTED, coverage=COVERAGE, layout=LAYOUT)

    def write(self, allocations=None, prefectures=None, quoted=None, coverage=None, layout=None):
        for name, text in (
            ("mic-fixed-2010-01-04.csv", allocations),
            ("ma-prefecture.tsv", prefectures),
            ("quoted-rows.txt", quoted),
            ("coverage.txt", coverage),
            ("layout.txt", layout),
        ):
            if text is not None:
                with open(os.path.join(self.sources, name), "w", encoding="utf-8") as handle:
                    handle.write(text)

    def run_generator(self, *extra):
        report = os.path.join(self.out, "report.md")
        args = ["--sources", self.sources, "--tables", self.out, "--report", report, "--quiet", *extra]
        with contextlib.redirect_stderr(io.StringIO()):
            return generate.main(args)

    def outputs(self):
        return {path.name: path.read_bytes() for path in pathlib.Path(self.out).iterdir()}

    def rows(self, table=1):
        _, results = generate.build(self.sources)
        return results[table][1].rows

    def answer(self, rows, key):
        return next((row.name for row in rows if key in row.prefixes), None)


class Rules(Fixture):
    def test_only_covered_leads_get_rows_and_complete_leads_stay_as_quoted(self):
        rows = self.rows()
        leads = {entry[:4] for row in rows for entry in row.prefixes.split(";") if entry}
        self.assertEqual(leads, {"0112", "0113", "0123"})
        self.assertIsNone(self.answer(rows, "011100"))  # NTT's, but the lead is not covered
        self.assertIsNone(self.answer(rows, "011204"))  # NTT's, but 0112 is complete with its three entries
        self.assertEqual(rows[0].prefixes, ";011201;011202;011203")

    def test_only_keys_ntt_held_get_rows_named_after_the_lists_ma(self):
        rows = self.rows()
        for key in ("011340", "011341", "011342", "012300"):  # other carrier, unallocated, reserved, no number
            self.assertIsNone(self.answer(rows, key), key)
        for key in ("011300", "011343", "011344"):  # in use, to be used, NTT West
            self.assertEqual(self.answer(rows, key), "北海道札幌", key)
        self.assertEqual(self.answer(rows, "012325"), "北海道千歳")
        self.assertEqual(self.answer(rows, "012390"), "北海道夕張")

    def test_the_lists_ma_names_a_key_whatever_its_neighbours(self):
        self.write(allocations=ALLOCATIONS.replace("001,札幌,011320,", "001,千歳,011320,"))
        rows = self.rows()
        self.assertEqual([self.answer(rows, k) for k in ("011319", "011320", "011321")], ["北海道札幌", "北海道千歳", "北海道札幌"])

    def test_quoted_keys_are_never_added_and_earlier_quoted_rows_win(self):
        rows = self.rows()
        for key in ("011350", "011391", "011393"):
            holders = [row.name for row in rows if key in row.prefixes]
            self.assertTrue(holders[0] in ("北海道真駒内", "北海道石山"), key)
        self.assertEqual(self.answer(rows, "011393"), "北海道真駒内")
        self.assertEqual(self.answer(rows, "011350"), "北海道真駒内")  # quoted, whatever the list says
        made = [row for row in rows if row.quoted is None]
        self.assertFalse({"011201", "011350", "011391", "011393"} & {k for row in made for k in row.keys})

    def test_rows_hold_at_most_26_entries_and_ascend_around_the_quoted_rows(self):
        rows = self.rows()
        for row in rows:
            self.assertLessEqual(len(row.keys), 26)
        firsts = [row.keys[0] for row in rows]
        self.assertEqual(firsts, sorted(firsts))
        sapporo = [row for row in rows if row.name == "北海道札幌"]
        # Runs are cut at the quoted rows' first entries, then evenly into rows of at most 26.
        self.assertEqual([len(row.keys) for row in sapporo], [24, 23, 20, 20, 7])

    def test_prefecture_without_a_block_is_left_out_and_reported(self):
        self.run_generator()
        self.assertIsNone(self.answer(self.rows(), "012391"))
        with open(os.path.join(self.out, "report.md"), encoding="utf-8") as handle:
            self.assertIn("012391 (越境, 青森県)", handle.read())

    def test_stated_positions_are_reached_by_cutting_rows_finer(self):
        self.write(quoted=QUOTED.replace("1|-|北海道真駒内", "1|6|北海道真駒内"))
        rows = self.rows()
        self.assertEqual(rows[5].name, "北海道真駒内")
        self.assertEqual(sum(len(row.keys) for row in rows[1:5]), 47)  # NTT's keys of 011300-011349

    def test_made_rows_move_after_a_quoted_row_to_keep_its_position(self):
        self.write(quoted=QUOTED.replace("1|-|北海道真駒内", "1|2|北海道真駒内"))
        rows = self.rows()
        self.assertEqual([r.name for r in rows[:4]], ["北海道札幌大通", "北海道真駒内", "北海道札幌", "北海道札幌"])
        self.assertEqual(rows[2].keys[0], "011300")  # the one break of the ascending order
        self.assertEqual(self.answer(rows, "011349"), "北海道札幌")

    def test_a_position_that_moving_made_rows_cannot_give_is_reported(self):
        # Only the made rows directly before it move; the unpositioned quoted row stays before it.
        self.write(quoted=QUOTED.replace("1|-|北海道石山", "1|2|北海道石山"))
        self.assertEqual(self.run_generator(), 0)
        self.assertEqual([r.name for r in self.rows()].index("北海道石山"), 4)
        with open(os.path.join(self.out, "report.md"), encoding="utf-8") as handle:
            self.assertIn("Quoted row 2 (北海道石山) stands at row 5", handle.read())


class BadInput(Fixture):
    CASES = [
        allocations_with("011201", "001,札幌,011201,011,201,ＮＴＴ東日本,使用中"),  # seven columns
        allocations_with("011202", "001,札幌,01120,011,20,ＮＴＴ東日本,使用中,"),
        allocations_with("012325", "002,新千歳,012325,0123,25,ＮＴＴ東日本,使用中,"),  # MA without prefecture
        allocations_with("011203", "001,札幌,011203,011,203,ＮＴＴ東日本,空き,"),
        allocations_with("011205", "001,札幌,011204,011,204,ＮＴＴ東日本,使用中,"),  # 011204 twice
        ("mic-fixed-2010-01-04.csv:1:", dict(allocations=ALLOCATIONS.replace("code_area,", "area,", 1))),
        ("ma-prefecture.tsv:3:", dict(prefectures=MA_PREFECTURES.replace("千歳\t北海道", "千歳\t北海"))),
        ("quoted-rows.txt:2:", dict(quoted=QUOTED.replace(";011350;011393", ";011350;01139"))),
        ("quoted-rows.txt:1:", dict(quoted=QUOTED.replace("北海道札幌大通", "北海道札幌大通" * 3))),
        ("quoted-rows.txt:3:", dict(quoted=QUOTED.replace(";011391;011393", ";011391;011493"))),
        ("quoted-rows.txt:4:", dict(quoted=QUOTED + "1|-|北海道石山|;011393;011201\n")),  # never answers
        ("quoted-rows.txt:4:", dict(quoted=QUOTED + "1|-|青森県弘前|;011394\n")),  # no block for it
        ("quoted-rows.txt:3:", dict(quoted=QUOTED.replace("1|-|北海道石山|;011391", "1|-|北海道石山|;011340"))),
        ("coverage.txt:2:", dict(coverage=COVERAGE.replace("0113", "0213"))),
        ("layout.txt:1:", dict(layout=LAYOUT.replace("北海道 9", "北海道 9, 北海道 1"))),
    ]

    def test_refused_with_file_and_line_and_nothing_written(self):
        self.assertEqual(self.run_generator(), 0)
        before = self.outputs()
        good = dict(allocations=ALLOCATIONS, prefectures=MA_PREFECTURES, quoted=QUOTED, coverage=COVERAGE, layout=LAYOUT)
        for where, change in self.CASES:
            with self.subTest(where=where):
                self.write(**{**good, **change})
                with self.assertRaises(generate.SourceError) as caught:
                    generate.build(self.sources)
                self.assertIn(where + " error:", str(caught.exception))
                self.assertEqual(self.run_generator(), 1)
                self.assertEqual(self.outputs(), before)


class Outputs(Fixture):
    def test_output_is_deterministic_and_check_finds_hand_edits(self):
        self.assertEqual(self.run_generator(), 0)
        first = self.outputs()
        self.assertEqual(self.run_generator(), 0)
        self.assertEqual(self.outputs(), first)
        self.assertEqual(self.run_generator("--check"), 0)
        with open(os.path.join(self.out, "exchange-1.txt"), "a", encoding="utf-8") as handle:
            handle.write("北海道札幌|;011399\n")
        self.assertEqual(self.run_generator("--check"), 1)

    def test_the_build_generator_accepts_the_tables(self):
        self.assertEqual(self.run_generator(), 0)
        sys.dont_write_bytecode = True  # keep the source tree clean
        sys.path.insert(0, TOOLS)
        import gen_tables  # pylint: disable=import-outside-toplevel
        rows = gen_tables.load_exchange(os.path.join(self.out, "exchange-1.txt"), 1)
        self.assertEqual(len(rows), len(self.rows()))


if __name__ == "__main__":
    unittest.main()
