"""The functions in a UTF8 and in an EUC_JP database answer every text as kobal-lookup does:
numbers of the benchmark mix, plain and hyphenated, the normaliser's written forms, and a number
for each answer the library gives, so that every answer's characters pass both encodings.
kobal_lookup's answers are read by a UTF-8 client and by a Shift-JIS one (the server converting)
and compared with kobal-lookup's UTF-8 and Shift-JIS output; every field of kobal_parse with
kobal-lookup's JSON records of all fields and with kobal_format's and kobal_lookup's answers on
the same row, and with the table of fields all front ends read.
Runs inside in-cluster.sh (libpq's PG* variables).

Usage: differential.py KOBAL_LOOKUP KOBAL_BENCH_NUMBERS WRITTEN_FORMS FIELDS_TABLE COUNT"""

import json
import os
import re
import subprocess
import sys

kobal_lookup, make_numbers, written_forms_file, fields_file, count = sys.argv[1:6]

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from written_forms import unescape  # noqa: E402


def texts():
    """Every text to ask, as UTF-8 bytes: valid UTF-8 (the database refuses the rest) without a
    NUL or a line end, which a database text or a kobal-lookup line cannot hold."""
    half = str(int(count) // 2)
    numbers = subprocess.run([make_numbers, half], check=True, capture_output=True).stdout
    hyphenated = subprocess.run([make_numbers, half, "--hyphens"], check=True,
                                capture_output=True).stdout
    rows = numbers.splitlines() + hyphenated.splitlines() + one_number_per_answer()
    with open(written_forms_file, encoding="utf-8") as table:
        for line in table:
            line = line.rstrip("\n")
            if line and not line.startswith("#"):
                rows.append(unescape(line.split("\t")[0]))
    return [row for row in rows if not re.search(rb"[\0\n\r]", row) and valid_utf8(row)]


def one_number_per_answer():
    """The first number met with each answer, among every length the library places: three
    digits, nine (Hakone), ten (every six-digit key) and eleven (every seven-digit block)."""
    candidates = ([b"%03d" % n for n in range(1000)] + [b"0%04d1234" % n for n in range(10000)] +
                  [b"0%05d1234" % n for n in range(100000)] +
                  [b"0%06d5678" % n for n in range(1000000)])
    answers = expected(candidates, None)
    first = {}
    for number, answer in zip(candidates, answers):
        first.setdefault(answer, number)
    return list(first.values())


def valid_utf8(row):
    try:
        row.decode("utf-8")
        return True
    except UnicodeDecodeError:
        return False


def psql(database, script, encoding="UTF8"):
    """The script's output as unaligned records whose fields and records end in NUL, which no
    database text holds."""
    run = subprocess.run(["psql", "-X", "-q", "-v", "ON_ERROR_STOP=1", "-A", "-t", "-z", "-0",
                          "-d", database], input=script, capture_output=True,
                         env=dict(os.environ, PGCLIENTENCODING=encoding))
    if run.returncode != 0:
        sys.exit(f"psql failed: {run.stderr.decode(errors='replace')}")
    return run.stdout


def fields_table():
    """The shared table of fields: each row as a dict, empty cells but the input None."""
    with open(fields_file, encoding="utf-8") as table:
        rows = [line.rstrip("\n").split("\t") for line in table]
    return [{name: cell if name == "input" else cell or None for name, cell in zip(rows[0], row)}
            for row in rows[1:]]


def records(rows):
    """kobal-lookup's JSON record of every field for each row, empty values but the input None,
    as kobal_parse gives them. A first line of its own: a row that starts as a
    byte order mark would does not start the file."""
    out = subprocess.run([kobal_lookup, "--fields", "all", "--format", "jsonl"],
                         input=b"117\n" + b"".join(row + b"\n" for row in rows), check=True,
                         capture_output=True).stdout
    return [{key: value if key == "input" else value or None for key, value in json.loads(line).items()}
            for line in out.decode("utf-8").split("\n")[1:-1]]


def parsed(database, table):
    """Each row's kobal_parse as a dict, with kobal_format and kobal_lookup beside it."""
    out = psql(database, f"""SELECT row_to_json(kobal_parse(tel)), json_build_array(
        kobal_format(tel), kobal_lookup(tel)) FROM {table} ORDER BY id;""".encode())
    cells = [json.loads(cell) for cell in column(out)]
    return list(zip(cells[0::2], cells[1::2]))


def check_parse(database, asked):
    """kobal_parse against kobal-lookup's records and the table of fields; the count of wrongs."""
    wrong = []
    for (fields, (formatted, answer)), record in zip(parsed(database, "written"), records(asked)):
        if (fields != record or list(fields) != list(record) or fields["formatted"] != formatted
                or (fields["result"] or "") != answer):
            wrong.append((fields, record, formatted, answer))
    table = fields_table()
    psql(database, b"CREATE TABLE shared (id int, tel text);\nCOPY shared FROM STDIN;\n" +
         b"".join(f"{i}\t{row['input']}\n".encode() for i, row in enumerate(table)) + b"\\.\n")
    for (fields, (formatted, _)), row in zip(parsed(database, "shared"), table):
        if fields != row or formatted != row["formatted"]:
            wrong.append((fields, row, formatted, None))
    print(f"{database}: {len(asked)} texts and {len(table)} rows of the table of fields parsed, "
          f"{len(wrong)} otherwise than kobal-lookup and the table")
    for fields, want, formatted, answer in wrong[:10]:
        print(f"  {fields}\n    wanted {want}, kobal_format {formatted!r}, kobal_lookup {answer!r}")
    return len(wrong) + (len(table) < 40)


def load(database, rows):
    """The rows as table written(id, tel): those the database's encoding cannot hold are left
    out (an EUC_JP database has no ☎), each converted on its own."""
    copy = b"".join(b"%d\t\\\\x%s\n" % (i, row.hex().encode()) for i, row in enumerate(rows))
    psql(database, b"""
CREATE EXTENSION kobal;
CREATE TABLE raw (id int, bytes bytea);
COPY raw FROM STDIN;
""" + copy + b"""\\.
CREATE FUNCTION held(bytes bytea) RETURNS text LANGUAGE plpgsql AS $$
BEGIN RETURN convert_from(bytes, 'UTF8');
EXCEPTION WHEN untranslatable_character OR character_not_in_repertoire THEN RETURN NULL;
END $$;
CREATE TABLE written AS SELECT id, held(bytes) AS tel FROM raw;
DELETE FROM written WHERE tel IS NULL;
""")


def column(output):
    return output.split(b"\0")[:-1]


def expected(rows, encoding):
    args = [kobal_lookup, "--format", "tsv"] + (["--encoding", "shift_jis"] if encoding else [])
    out = subprocess.run(args, input=b"".join(row + b"\n" for row in rows), check=True,
                         capture_output=True).stdout
    return [line.rsplit(b"\t", 1)[1] for line in out.split(b"\n")[:-1]]


failures = 0
rows = texts()
for database_encoding in ("UTF8", "EUC_JP"):
    database = f"kobal_{database_encoding.lower()}"
    subprocess.run(["createdb", "-E", database_encoding, "--locale=C", "-T", "template0", database],
                   check=True)
    load(database, rows)
    asked = column(psql(database, b"SELECT tel FROM written ORDER BY id;"))  # for kobal-lookup
    for client, tool_encoding in (("UTF8", None), ("SJIS", "shift_jis")):
        answered = column(psql(database, b"SELECT kobal_lookup(tel) FROM written ORDER BY id;",
                               client))
        wanted = expected(asked, tool_encoding)
        wrong = [(tel, got, want) for tel, got, want in zip(asked, answered, wanted) if got != want]
        print(f"{database_encoding} database, {client} client: {len(asked)} of {len(rows)} texts "
              f"held, {len(wrong)} answered otherwise than kobal-lookup")
        for tel, got, want in wrong[:10]:
            print(f"  {tel!r}: {got!r}, kobal-lookup {want!r}")
        failures += len(wrong) + (len(answered) != len(asked)) + (len(wanted) != len(asked))
    failures += check_parse(database, asked)
    if database_encoding == "UTF8" and len(asked) != len(rows):
        print("a UTF8 database must hold every text")
        failures += 1
sys.exit(1 if failures else 0)
