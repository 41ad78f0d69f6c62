#!/usr/bin/env bash
# A customer list of 1,048,577 records to a workbook: the peak memory of kobal-lookup (constant
# with libxlsxwriter's constant-memory mode) against a tenth of the list, and the last record
# read back from the second sheet. Usage: bench/xlsx-million-rows.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build/ci}
tool="$build/cli/kobal-lookup"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

make_list() {  # $1 records after the header
  awk -v n="$1" 'BEGIN { print "氏名,電話番号,住所"; for (i = 1; i <= n; i++)
    printf "顧客%d,03-%04d-%04d,\"東京都千代田区, %d\"\n", i, i % 10000, i % 7919, i }' 
}
for records in 104857 1048577; do
  make_list "$records" > "$work/list.csv"
  /usr/bin/time -f "%M %U %S" -o "$work/time" \
    "$tool" -c 電話番号 -i "$work/list.csv" -f xlsx -o "$work/list.xlsx" 2> "$work/stderr"
  read -r peak user system < "$work/time"
  echo "$records records: peak RSS ${peak} KiB, CPU ${user} s user + ${system} s system," \
       "$(stat -c %s "$work/list.xlsx") bytes; $(grep -c sheet "$work/stderr" || true) sheet message(s)"
done
/usr/bin/python3 - "$work/list.xlsx" <<'PY'
import sys
import openpyxl
book = openpyxl.load_workbook(sys.argv[1], read_only=True)
print("sheets:", book.sheetnames)
second = book[book.sheetnames[-1]]
rows = list(second.iter_rows(values_only=True))
print("second sheet:", rows[0], rows[-1])
assert rows[-1][0] == "顧客1048577", rows[-1]
PY
