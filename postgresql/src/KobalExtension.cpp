// The SQL functions: text in the database's encoding to UTF-8, the answer, and back. Nothing
// here may throw, and no object with a destructor may live across a call that can raise a
// database error (it unwinds by longjmp).
#include "postgresql/src/ServerText.h"
#include "postgresql/src/SqlAnswers.h"

extern "C" {
#include "postgres.h"  // before any other of the server's headers
}
extern "C" {
#include "fmgr.h"
#include "utils/builtins.h"

PG_MODULE_MAGIC;

PG_FUNCTION_INFO_V1(kobal_lookup);
}

namespace {

[[noreturn]] void OutOfMemory() {
  ereport(ERROR, (errcode(ERRCODE_OUT_OF_MEMORY), errmsg("out of memory answering a number")));
  pg_unreachable();
}

}  // namespace

Datum kobal_lookup(PG_FUNCTION_ARGS) {
  const kobal::postgresql::Utf8Argument written =
      kobal::postgresql::ArgumentUtf8(PG_GETARG_TEXT_PP(0));
  KobalSqlText answer;
  if (kobal_sql_lookup(written.bytes, written.length, &answer) != 0) OutOfMemory();
  PG_RETURN_TEXT_P(kobal::postgresql::ServerText(answer));
}
