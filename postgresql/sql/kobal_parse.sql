-- kobal_format and kobal_parse: the fields of an answer, the same in a UTF8 and an EUC_JP database.
SET client_encoding = 'UTF8';
CREATE EXTENSION IF NOT EXISTS kobal;

-- Every field, NULL where empty; the input as given.
SELECT (kobal_parse(written)).* FROM (VALUES
  ('０３（３５２０）１２３４'), ('+81 90 1234 5678'), ('070-5011-2345'), ('0460-2-1234'),
  ('0120-123-456'), ('117'), ('092-711-1234'), ('050-1234-5678'), ('abc'), ('')) AS t(written);

SELECT written, kobal_format(written) FROM (VALUES
  ('0123201234'), ('0800-123-4567'), ('03 3520 1234 内線 12'), ('0570-123-456'), ('101'),
  ('03-3520-XXXX'), ('')) AS t(written);

-- NULL in, NULL out; the composite itself is NULL, not a row of NULLs.
SELECT kobal_format(NULL) IS NULL AS format_null, kobal_parse(NULL) IS NULL AS parse_null,
       (kobal_parse(NULL)).status IS NULL AS no_status;

-- Control characters, text built from bytes, and a megabyte: an answer, never a crash.
SELECT (kobal_parse(E'\t0112012345\r')).formatted AS tab_and_cr,
       (kobal_parse(E'03-3520\x01-1234')).status AS soh,
       kobal_format(convert_from('\x30332d333532302d31323334'::bytea, 'UTF8')) AS from_bytes;
SELECT p.status, p.number IS NULL AS no_number, length(p.input) AS input_length
  FROM (SELECT (kobal_parse(repeat('0', 1000000))).*) AS p;

-- The fields agree with kobal_lookup and kobal_format on every row.
CREATE TABLE phones (tel text);
INSERT INTO phones SELECT to_char(i, 'FM0000000000') FROM generate_series(112012000, 112012999) i;
INSERT INTO phones SELECT '090-' || to_char(i, 'FM0000') || '-5678' FROM generate_series(1000, 1999) i;
INSERT INTO phones VALUES ('不明な番号'), (''), (NULL);
SELECT count(*) AS disagreeing FROM phones
  WHERE (kobal_parse(tel)).result IS DISTINCT FROM nullif(kobal_lookup(tel), '')
     OR (kobal_parse(tel)).formatted IS DISTINCT FROM kobal_format(tel);

-- By prefecture and kind, in parallel workers as in the leader.
SET parallel_setup_cost = 0;
SET parallel_tuple_cost = 0;
SET min_parallel_table_scan_size = 0;
SET max_parallel_workers_per_gather = 2;
EXPLAIN (COSTS OFF) SELECT (kobal_parse(tel)).kind, count(*) FROM phones GROUP BY 1;
SELECT (kobal_parse(tel)).kind, (kobal_parse(tel)).prefecture, count(*) FROM phones
  GROUP BY 1, 2 ORDER BY 1, 2;
RESET max_parallel_workers_per_gather;

-- An index on a field.
CREATE INDEX phones_kind ON phones (((kobal_parse(tel)).kind));
ANALYZE phones;
SET enable_seqscan = off;
EXPLAIN (COSTS OFF) SELECT count(*) FROM phones WHERE (kobal_parse(tel)).kind = 'phs';
SELECT count(*) FROM phones WHERE (kobal_parse(tel)).kind = 'mobile';
RESET enable_seqscan;

-- As the README shows them, on kobal_lookup's table of customers.
SELECT tel, kobal_lookup(tel), kobal_format(tel), (kobal_parse(tel)).prefecture FROM customers
  ORDER BY tel LIMIT 3;
SELECT (kobal_parse(tel)).prefecture, count(*) FROM customers GROUP BY 1 ORDER BY 1;

-- A kobal_answer altered after CREATE EXTENSION is refused, not read as other values.
BEGIN;
DROP INDEX phones_kind;
ALTER TYPE kobal_answer ALTER ATTRIBUTE kind TYPE int;
SELECT kobal_parse('117');
ROLLBACK;
BEGIN;
ALTER TYPE kobal_answer DROP ATTRIBUTE region;
SELECT kobal_parse('117');
ROLLBACK;
SELECT (kobal_parse('117')).kind;
