"""kobal-lookup on customer lists as Japanese Excel exports them: records answered in place,
written back for Excel, read back cell by cell (through LibreOffice where it is installed)."""
import csv
import io
import os
import shutil
import subprocess
import sys
import tempfile
import unittest
import zipfile

TOOL = os.environ["KOBAL_LOOKUP"]
csv.field_size_limit(sys.maxsize)
HEADER = ["氏名", "フリガナ", "電話番号", "FAX", "住所"]
CUSTOMERS = [
    ["山田 太郎", "ヤマダ タロウ", "03-3520-1234", "0335201235", "東京都千代田区1-1"],
    ["佐藤, 花子", "サトウ ハナコ", "0120-444-444", "", "大阪府\n大阪市 \"北\""],
    ['=HYPERLINK("http://example.com","x")', "ア", "090-1234-5678\n03-3520-1234", "", "=1+1"],
    ["鈴木 一郎", "スズキ", "03-3520-XXXX", "0999999999", "@SUM(A1)"],
    ["髙橋", "タカハシ", "+81 11-201-2345", "-", "\t北海道"],
]
# Cells a spreadsheet would evaluate, as they read back: with the guard's apostrophe.
GUARDED = {cell: "'" + cell for row in CUSTOMERS for cell in row if cell and cell[0] in "=+-@\t"}


def delimited(rows, delimiter, end):
    out = io.StringIO()
    csv.writer(out, delimiter=delimiter, lineterminator=end).writerows(rows)
    return out.getvalue()


# The three exports: "CSV (コンマ区切り)", "CSV UTF-8" and "Unicode テキスト".
EXPORTS = {
    "shift_jis.csv": (delimited([HEADER, *CUSTOMERS], ",", "\r\n").encode("cp932"), "cp932", ","),
    "utf8.csv": (b"\xef\xbb\xbf" + delimited([HEADER, *CUSTOMERS], ",", "\r\n").encode(),
                 "utf-8-sig", ","),
    "unicode.txt": (b"\xff\xfe" + delimited([HEADER, *CUSTOMERS], "\t", "\r\n")
                    .encode("utf-16-le"), "utf-16", "\t"),
}


def run(*args, stdin=b""):
    return subprocess.run([TOOL, *args], input=stdin, capture_output=True, check=False)


def answered(*args, stdin=b""):
    done = run(*args, stdin=stdin)
    assert done.returncode == 0, done.stderr
    return done


def read_back(data, encoding, delimiter):
    return list(csv.reader(io.StringIO(data.decode(encoding), newline=""), delimiter=delimiter))


class ExcelExports(unittest.TestCase):
    def test_each_export_comes_back_in_its_own_form_with_its_answers(self):
        for name, (data, encoding, delimiter) in EXPORTS.items():
            with self.subTest(name):
                done = answered("--column", "電話番号,FAX", stdin=data)
                output = done.stdout
                self.assertEqual(output[:3] == b"\xef\xbb\xbf", data[:3] == b"\xef\xbb\xbf")
                self.assertEqual(output[:2] == b"\xff\xfe", data[:2] == b"\xff\xfe")
                text = output.decode(encoding)
                self.assertTrue(text.endswith("\r\n"))
                self.assertNotIn("\r\n", text.replace("\r\n", "").replace("\n", "\n"))  # no bare
                rows = read_back(output, encoding, delimiter)
                self.assertEqual(len(rows), 1 + len(CUSTOMERS))  # no record split or shifted
                self.assertEqual(rows[0][5:], ["電話番号:number", "電話番号:status",
                                               "電話番号:result", "FAX:number", "FAX:status",
                                               "FAX:result"])
                for row, customer in zip(rows[1:], CUSTOMERS):
                    self.assertEqual(row[:5], [GUARDED.get(cell, cell) for cell in customer])
                yamada, sato, two, suzuki, takahashi = rows[1:]
                self.assertEqual(yamada[5:7] + yamada[8:10],
                                 ["0335201234", "number", "0335201235", "number"])
                self.assertEqual(sato[8:11], ["", "empty", "不明"])
                self.assertEqual(two[5:7], ["09012345678\n0335201234", "number\nnumber"])
                self.assertEqual(two[7].count("\n"), 1)
                self.assertEqual(suzuki[6], "not-a-number")
                self.assertEqual((suzuki[9], suzuki[10]), ("number", "不明"))  # no rule places it
                self.assertEqual(takahashi[5], "0112012345")
                self.assertEqual(done.stderr, b"")

    def test_record_ends_delimiter_and_encoding_are_kept_or_chosen(self):
        for end in ["\r", "\n", "\r\n"]:
            data = delimited([["番号"], ["117"], ["a;b"]], ",", end).encode()
            output = answered("-c", "1", stdin=data).stdout.decode()
            self.assertEqual(output.count(end), 3, repr(end))
            self.assertEqual(len(output.splitlines()), 3, repr(end))
        data = EXPORTS["shift_jis.csv"][0]
        output = answered("-c", "電話番号", "--format", "tsv", "--encoding", "utf-8",
                          stdin=data).stdout
        self.assertTrue(output.startswith(b"\xef\xbb\xbf"))  # for Excel: UTF-8 made from SJIS
        self.assertEqual(read_back(output, "utf-8-sig", "\t")[1][5], "0335201234")
        sixteen = answered("-c", "電話番号", "-e", "utf-16", stdin=data).stdout
        self.assertEqual(read_back(sixteen, "utf-16", ",")[1][5], "0335201234")
        raw = answered("-c", "5", "--csv-raw", stdin=EXPORTS["utf8.csv"][0]).stdout
        self.assertEqual(read_back(raw, "utf-8-sig", ",")[3][4], "=1+1")

    def test_unicode_text_without_its_byte_order_mark_is_still_utf16(self):
        data = EXPORTS["unicode.txt"][0][2:]
        rows = read_back(answered("-c", "電話番号", stdin=data).stdout, "utf-16-le", "\t")
        self.assertEqual(rows[1][5:7], ["0335201234", "number"])


class BadInput(unittest.TestCase):
    def test_a_column_the_header_lacks_names_those_it_has(self):
        for column in ["TEL", "7"]:
            done = run("-c", column, "--header", stdin=EXPORTS["utf8.csv"][0])
            if column == "TEL":
                self.assertEqual(done.returncode, 2)
                self.assertIn("氏名, フリガナ, 電話番号, FAX, 住所", done.stderr.decode())
                self.assertEqual(done.stdout, b"")
            else:  # a number: answered as missing, told once for each record
                self.assertEqual(done.returncode, 0)
                self.assertEqual(done.stderr.decode().count("no cell 7"), len(CUSTOMERS))
        done = run("-c", "TEL", stdin="TEL,TEL\n117,110\n".encode())
        self.assertEqual(done.returncode, 2)
        self.assertIn("columns 1 and 2", done.stderr.decode())

    def test_broken_records_are_told_and_answered_without_shifting_others(self):
        data = (b'n,tel\r\n1,117\r\n2,0"3\r\n3,"0112012345"x\r\n4,\x0001\r\n5,110\r\n'
                b'6,0120444444\r\n7,"never closed\r\n8,117\r\n')
        done = answered("-c", "tel", stdin=data)
        rows = read_back(done.stdout, "utf-8", ",")
        self.assertEqual([row[0] for row in rows[1:]], [str(n) for n in range(1, 8)])
        self.assertEqual(rows[6][2:4], ["0120444444", "number"])
        told = done.stderr.decode()
        for record in ["record 3 ", "record 4 ", "record 5 ", "record 8 "]:
            self.assertIn(record, told)
        self.assertEqual(told.count("\n"), 4)

    def test_a_file_that_is_not_text_and_a_long_record_are_answered(self):
        noise = bytes(range(256)) * 64 + b"\n117\n"
        done = answered("-c", "1", "--no-header", stdin=noise)
        self.assertIn(b"NUL", done.stderr)
        last = done.stdout.decode("cp932").splitlines()[-1].split("\t")  # read as Shift-JIS
        self.assertEqual((last[0], last[-3:]), ("117", ["117", "number", "時報"]))
        long_cell = b"x" * (100 << 20)
        done = answered("-c", "2", stdin=b"a,b\n1," + long_cell + b"\n2,117\n")
        self.assertEqual(done.stdout.count(long_cell), 1)
        self.assertTrue(done.stdout.endswith("2,117,117,number,時報\n".encode()))

    def test_the_output_file_is_written_whole_or_not_at_all(self):
        with tempfile.TemporaryDirectory() as folder:
            target = os.path.join(folder, "answers.csv")
            with open(target, "wb") as old:
                old.write(b"old")
            self.assertEqual(run("-c", "TEL", "-o", target, stdin=b"a\n1\n").returncode, 2)
            with open(target, "rb") as kept:
                self.assertEqual(kept.read(), b"old")
            answered("-c", "1", "-o", target, stdin=b"117\n")
            with open(target, "rb") as written:
                self.assertEqual(written.read(), "117,117,number,時報\n".encode())
            self.assertEqual(os.listdir(folder), ["answers.csv"])


def workbook_rows(path):
    import openpyxl  # Debian's python3-openpyxl
    book = openpyxl.load_workbook(path)
    return book, [[(cell.value, cell.data_type) for cell in row] for row in book.active.iter_rows()]


class Workbooks(unittest.TestCase):
    def test_every_cell_is_text_under_a_bold_frozen_filtered_header(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "顧客.xlsx")
            answered("-c", "電話番号,FAX", "-f", "xlsx", "-o", path,
                     stdin=EXPORTS["shift_jis.csv"][0])
            book, rows = workbook_rows(path)
            sheet = book.active
            self.assertEqual(sheet.freeze_panes, "A2")
            self.assertEqual(sheet.auto_filter.ref, "A1:K6")
            self.assertTrue(sheet["A1"].font.b)
            self.assertIn("kobal-lookup", book.properties.description)
            self.assertGreater(sheet.column_dimensions["E"].width, sheet.column_dimensions["D"].width)
            for row, customer in zip(rows[1:], CUSTOMERS):
                self.assertEqual([value or "" for value, _ in row[:5]], customer)
                self.assertTrue(all(kind in "sn" for _, kind in row), row)  # never a formula
            self.assertEqual(rows[1][5], ("0335201234", "s"))

    def test_a_cell_over_excels_limit_is_cut_and_told_and_nul_is_kept_in_sight(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "long.xlsx")
            done = answered("-c", "1", "-f", "xlsx", "-o", path,
                            stdin=b"tel,note\n117," + "長".encode() * 40000 + b"\n")
            self.assertIn(b"record 2", done.stderr)
            _, rows = workbook_rows(path)
            self.assertEqual(len(rows[1][1][0]), 32767)
            self.assertTrue(rows[1][1][0].endswith("…"))
            answered("-c", "1", "-f", "xlsx", "-o", path, stdin=b"tel,note\n117,a\x00b\n")
            _, rows = workbook_rows(path)
            self.assertEqual(rows[1][1][0], "a\ufffdb")  # not cut at the NUL


class Fields(unittest.TestCase):
    """--fields chooses the cells added for each column, named COLUMN:field, in CSV and workbooks."""
    FIELDS = "formatted,kind,prefecture,status,carrier"
    HEADERS = ["電話番号:formatted", "電話番号:kind", "電話番号:prefecture", "電話番号:status",
               "電話番号:carrier"]
    # The first customers' cells: a cell of two numbers holds one line per number in each field.
    ANSWERS = [
        ["03-3520-1234", "fixed", "東京都", "number", "NTT東日本"],
        ["0120-444-444", "toll-free", "", "number", ""],
        ["090-1234-5678\n03-3520-1234", "mobile\nfixed", "\n東京都", "number\nnumber",
         "ツーカー\nNTT東日本"],
        ["", "", "", "not-a-number", ""],
        ["011-201-2345", "fixed", "北海道", "number", "NTT東日本"],
    ]

    def test_csv_gains_the_chosen_cells_in_order(self):
        data, encoding, delimiter = EXPORTS["shift_jis.csv"]
        rows = read_back(answered("-c", "電話番号", "--fields", self.FIELDS, stdin=data).stdout,
                         encoding, delimiter)
        self.assertEqual(rows[0], HEADER + self.HEADERS)
        for row, customer, cells in zip(rows[1:], CUSTOMERS, self.ANSWERS):
            self.assertEqual(row[:5], [GUARDED.get(cell, cell) for cell in customer])
            self.assertEqual(row[5:], cells)
        # All the fields for two columns; the input is the cell as read.
        rows = read_back(answered("-c", "電話番号,FAX", "--fields", "all", stdin=data).stdout,
                         encoding, delimiter)
        self.assertEqual(len(rows[0]), 5 + 2 * 11)
        self.assertEqual(rows[0][5:7], ["電話番号:input", "電話番号:number"])
        self.assertEqual(rows[0][16:18], ["FAX:input", "FAX:number"])
        self.assertEqual(rows[1][16:27], ["0335201235", "0335201235", "03-3520-1235", "number",
                                          "fixed", "東京都", "新有明", "東京", "NTT東日本", "",
                                          "NTT固定（東京都新有明）"])
        self.assertEqual(rows[2][16:27], [""] * 3 + ["empty"] + [""] * 6 + ["不明"])

    def test_a_workbook_holds_the_chosen_columns_as_text(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "fields.xlsx")
            answered("-c", "電話番号", "--fields", self.FIELDS, "-f", "xlsx", "-o", path,
                     stdin=EXPORTS["utf8.csv"][0])
            book, rows = workbook_rows(path)
            self.assertEqual([value for value, _ in rows[0]], HEADER + self.HEADERS)
            self.assertEqual(book.active.auto_filter.ref, "A1:J6")
            for row, cells in zip(rows[1:], self.ANSWERS):
                self.assertEqual([value or "" for value, _ in row[5:]], cells)
                self.assertTrue(all(kind in "sn" for _, kind in row), row)

    def test_bad_fields_are_a_usage_error(self):
        done = run("-c", "1", "--fields", "input,bogus", stdin=b"117\n")
        self.assertEqual((done.returncode, done.stdout), (2, b""))
        self.assertIn(b"bogus", done.stderr)


class WorkbookLibrary(unittest.TestCase):
    """libxlsxwriter is loaded only for a workbook; one that cannot be is said so, and no file is
    left behind. A file that is no library, found first by its name, stands for a missing one."""

    def test_only_a_workbook_needs_the_library(self):
        name = os.environ["KOBAL_XLSXWRITER_SONAME"]
        with tempfile.TemporaryDirectory() as folder:
            with open(os.path.join(folder, name), "wb") as impostor:
                impostor.write(b"no library")
            env = dict(os.environ, LD_LIBRARY_PATH=folder)
            book = os.path.join(folder, "answers.xlsx")
            done = subprocess.run([TOOL, "-c", "1", "-f", "xlsx", "-o", book], env=env,
                                  input=b"tel\n117\n", capture_output=True, check=False)
            self.assertEqual(done.returncode, 1)
            message = done.stderr.decode()
            self.assertTrue(message.startswith(
                f"kobal-lookup: writing workbooks needs libxlsxwriter ({name}): {folder}/{name}"),
                message)
            self.assertEqual(sorted(os.listdir(folder)), [name])
            for args in (["-c", "1"], []):
                done = subprocess.run([TOOL, *args], env=env, input=b"tel\n117\n",
                                      capture_output=True, check=True)
                self.assertIn("時報".encode(), done.stdout)


@unittest.skipUnless(shutil.which("soffice"), "LibreOffice (libreoffice-calc) is not installed")
class LibreOffice(unittest.TestCase):
    """What kobal-lookup writes, opened and saved again by LibreOffice Calc, read cell by cell."""
    CHARSETS = {"cp932": 64, "utf-8-sig": 76, "utf-16": 65535}

    def convert(self, folder, path, options=None):
        command = ["soffice", "--headless", "--convert-to", "xlsx", "--outdir", folder, path]
        if options:
            command[2:2] = [f"--infilter=CSV:{options}"]
        subprocess.run(command, capture_output=True, check=True, timeout=300,
                       env={**os.environ, "HOME": folder})
        return os.path.join(folder, os.path.splitext(os.path.basename(path))[0] + ".xlsx")

    def assert_customers(self, rows):
        self.assertEqual([value for value, _ in rows[0][:5]], HEADER)
        for row, customer in zip(rows[1:], CUSTOMERS):
            self.assertEqual([value or "" for value, _ in row[:5]],
                             [GUARDED.get(cell, cell) for cell in customer])
            self.assertTrue(all(kind in "sn" for _, kind in row), row)  # no formula
        self.assertEqual(rows[1][5][0], "0335201234")  # the leading zero kept
        self.assertEqual(rows[1][3][0], "0335201235")

    def test_csv_and_workbooks_open_right(self):
        with tempfile.TemporaryDirectory() as folder:
            for name, (data, encoding, delimiter) in EXPORTS.items():
                with self.subTest(name):
                    source = os.path.join(folder, name)
                    with open(source, "wb") as export:
                        export.write(data)
                    written = os.path.join(folder, "out-" + name.replace(".txt", ".csv"))
                    answered("-c", "電話番号,FAX", "-i", source, "-o", written)
                    # Calc's import as a user sets it for a phone list: quoted cells as text.
                    options = f"{ord(delimiter)},34,{self.CHARSETS[encoding]},1,,1041,true,false"
                    _, rows = workbook_rows(self.convert(folder, written, options))
                    self.assert_customers(rows)
                    book = os.path.join(folder, "book-" + name + ".xlsx")
                    answered("-c", "電話番号,FAX", "-i", source, "-f", "xlsx", "-o", book)
                    _, rows = workbook_rows(self.convert(os.path.join(folder, "calc"), book))
                    GUARDED_NONE = {}
                    self.assertEqual([[v or "" for v, _ in row[:5]] for row in rows[1:]],
                                     [[GUARDED_NONE.get(c, c) for c in r] for r in CUSTOMERS])
                    self.assertEqual(rows[1][5][0], "0335201234")


if __name__ == "__main__":
    unittest.main()
