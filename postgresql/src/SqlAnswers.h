/* What the database functions answer for one text, with no database in it: one C entry per SQL
 * function, which the extension calls and the fuzzer drives. Texts are UTF-8; answers live in
 * the calling thread's storage for the life of the thread and are never freed by the caller. */
#ifndef KOBAL_POSTGRESQL_SQL_ANSWERS_H
#define KOBAL_POSTGRESQL_SQL_ANSWERS_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct KobalSqlText {
  const char* bytes; /* UTF-8, not NUL-terminated */
  size_t length;
  uint32_t number; /* equal texts, equal numbers: a caller may keep its own copy by number */
} KobalSqlText;

/* kobal-lookup's answer to `written` (`length` bytes, any bytes) as it reads a line: 不明 for a
 * text that is not one number. Returns 0, or -1 when memory ran out (`answer` untouched). Never
 * throws. */
int kobal_sql_lookup(const char* written, size_t length, KobalSqlText* answer);

#ifdef __cplusplus
}
#endif

#endif
