#!/usr/bin/env bash
# pg_regress on postgresql/sql against the expected output in postgresql/expected, in a UTF8
# database and in an EUC_JP one: the same output from both. Run inside in-cluster.sh, which
# sets PGVERSION.
# Usage: regress.sh PG_REGRESS SOURCE_DIR OUTPUT_DIR
set -euo pipefail
pg_regress=$1 source=$2 output=$3
[ -x "$pg_regress" ] || { echo "SKIPPED: $pg_regress is missing (postgresql-server-dev)" >&2; exit 77; }
tests=$(cd "$source/sql" && ls -- *.sql | sed 's/\.sql$//')
status=0
for encoding in UTF8 EUC_JP; do
  mkdir -p "$output/$encoding"
  # shellcheck disable=SC2086 # one argument per test
  "$pg_regress" --inputdir="$source" --outputdir="$output/$encoding" \
    --bindir="/usr/lib/postgresql/$PGVERSION/bin" \
    --dbname="kobal_$encoding" --encoding="$encoding" --no-locale $tests || {
    status=1
    cat "$output/$encoding/regression.diffs" >&2 || true
  }
done
exit $status
