/* What the database functions answer for one text, with no database in it: one C entry per SQL
 * function, which the extension calls and the fuzzer drives. Texts are UTF-8; answers stay valid
 * until the calling thread's next call and are never freed by the caller. None of them throws. */
#ifndef KOBAL_POSTGRESQL_SQL_ANSWERS_H
#define KOBAL_POSTGRESQL_SQL_ANSWERS_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* A text no other answer shares a number with: the caller converts it afresh each time. */
#define KOBAL_SQL_UNNUMBERED UINT32_MAX

typedef struct KobalSqlText {
  const char* bytes; /* UTF-8, not NUL-terminated */
  size_t length;     /* 0: the field is empty */
  /* equal texts, equal numbers (unless KOBAL_SQL_UNNUMBERED): a caller may keep its own copy by
   * number for the life of the thread */
  uint32_t number;
} KobalSqlText;

/* Every field of an answer in the fields' order: input, number, formatted, status, kind,
 * prefecture, place, ma, carrier, region, result. */
#define KOBAL_SQL_FIELD_COUNT 11
typedef struct KobalSqlFields {
  KobalSqlText fields[KOBAL_SQL_FIELD_COUNT];
} KobalSqlFields;

/* kobal-lookup's answer to `written` (`length` bytes, any bytes) as it reads a line: 不明 for a
 * text that is not one number. Each returns 0, or -1 when memory ran out (output untouched). */
int kobal_sql_lookup(const char* written, size_t length, KobalSqlText* answer);

/* The number with its hyphens where the numbering splits it; empty where it has none. */
int kobal_sql_format(const char* written, size_t length, KobalSqlText* formatted);

/* Every field; the input is `written` itself, the result numbered as kobal_sql_lookup's. */
int kobal_sql_parse(const char* written, size_t length, KobalSqlFields* answer);

#ifdef __cplusplus
}
#endif

#endif
