-- kobal_lookup: kobal-lookup's answers, the same in a UTF8 and in an EUC_JP database.
SET client_encoding = 'UTF8';
CREATE EXTENSION kobal;
SELECT getdatabaseencoding() IN ('UTF8', 'EUC_JP') AS encoding_tested;

-- Numbers as people write them, and texts that are none.
SELECT written, kobal_lookup(written) FROM (VALUES
  ('0112012345'), ('03-3520-1234'), ('+81 90-1234-5678'), ('０３（３５２０）１２３４'),
  ('TEL: 0120-123-456'), ('117'), ('tel:+81-3-3520-1234'), ('03-3520-1234 内線 12'),
  ('03-3520-XXXX'), ('090-1234-5678 / 03-3520-1234'), (''), ('   ')) AS t(written);

-- NULL in, NULL out.
SELECT kobal_lookup(NULL) IS NULL AS null_gives_null;

-- Control characters around a number, and in it.
SELECT kobal_lookup(E'\t0112012345\r') AS tab_and_cr, kobal_lookup(E'03-3520\x01-1234') AS soh,
       kobal_lookup(chr(127) || '117') AS del;
-- Bytes that are no text of the database's encoding never reach the function.
SELECT kobal_lookup(convert_from('\x3033ff2d33353230'::bytea, 'UTF8'));
SELECT kobal_lookup(convert_from('\x30332d333532302d31323334'::bytea, 'UTF8')) AS from_bytes;

-- A megabyte of digits, and of a number written again and again.
SELECT kobal_lookup(repeat('0', 1000000)) AS digits,
       kobal_lookup(repeat('03-3520-1234 ', 80000)) AS repeated;

-- Declared so that the planner may index them and run them in parallel workers.
SELECT proname, provolatile, proisstrict, proparallel FROM pg_proc
  WHERE proname LIKE 'kobal%' ORDER BY proname;

CREATE TABLE customers (tel text);
INSERT INTO customers SELECT to_char(i, 'FM0000000000') FROM generate_series(112012000, 112013999) i;
INSERT INTO customers VALUES ('090-1234-5678'), ('不明な番号'), (NULL);

-- An index on the answer.
CREATE INDEX customers_answer ON customers (kobal_lookup(tel));
ANALYZE customers;
SET enable_seqscan = off;
EXPLAIN (COSTS OFF) SELECT count(*) FROM customers WHERE kobal_lookup(tel) = 'ツーカーセルラー東海';
SELECT count(*) FROM customers WHERE kobal_lookup(tel) = 'ツーカーセルラー東海';
RESET enable_seqscan;

-- Workers answer as the leader does.
SET parallel_setup_cost = 0;
SET parallel_tuple_cost = 0;
SET min_parallel_table_scan_size = 0;
SET max_parallel_workers_per_gather = 2;
EXPLAIN (COSTS OFF) SELECT kobal_lookup(tel), count(*) FROM customers GROUP BY 1;
SELECT kobal_lookup(tel), count(*) FROM customers GROUP BY 1 ORDER BY 1;
RESET max_parallel_workers_per_gather;
SELECT kobal_lookup(tel), count(*) FROM customers GROUP BY 1 ORDER BY 1;
