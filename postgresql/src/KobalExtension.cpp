// The SQL functions: text in the database's encoding to UTF-8, the answer, and back. Nothing
// here may throw, and no object with a destructor may live across a call that can raise a
// database error (it unwinds by longjmp).
#include "postgresql/src/ServerText.h"
#include "postgresql/src/SqlAnswers.h"

extern "C" {
#include "postgres.h"  // before any other of the server's headers
}
extern "C" {
#include "access/htup_details.h"
#include "catalog/pg_type_d.h"
#include "fmgr.h"
#include "funcapi.h"
#include "utils/builtins.h"

PG_MODULE_MAGIC;

PG_FUNCTION_INFO_V1(kobal_lookup);
PG_FUNCTION_INFO_V1(kobal_format);
PG_FUNCTION_INFO_V1(kobal_parse);
}

namespace {

[[noreturn]] void OutOfMemory() {
  ereport(ERROR, (errcode(ERRCODE_OUT_OF_MEMORY), errmsg("out of memory answering a number")));
  pg_unreachable();
}

// kobal_answer's row shape, looked up once per call site and kept with it.
TupleDesc AnswerRow(FunctionCallInfo fcinfo) {
  if (fcinfo->flinfo->fn_extra != nullptr) return static_cast<TupleDesc>(fcinfo->flinfo->fn_extra);
  TupleDesc row = nullptr;
  if (get_call_result_type(fcinfo, nullptr, &row) != TYPEFUNC_COMPOSITE) {
    ereport(ERROR, (errcode(ERRCODE_FEATURE_NOT_SUPPORTED),
                    errmsg("kobal_parse must return the composite type kobal_answer")));
  }
  // A type altered after CREATE EXTENSION would read the texts as other values.
  bool allText = row->natts == KOBAL_SQL_FIELD_COUNT;
  for (int i = 0; allText && i < row->natts; ++i) {
    allText = TupleDescAttr(row, i)->atttypid == TEXTOID && !TupleDescAttr(row, i)->attisdropped;
  }
  if (!allText) {
    ereport(ERROR, (errcode(ERRCODE_DATATYPE_MISMATCH),
                    errmsg("kobal_answer must be the %d text columns kobal_parse gives",
                           KOBAL_SQL_FIELD_COUNT)));
  }
  const MemoryContext caller = MemoryContextSwitchTo(fcinfo->flinfo->fn_mcxt);
  row = BlessTupleDesc(CreateTupleDescCopy(row));
  MemoryContextSwitchTo(caller);
  fcinfo->flinfo->fn_extra = row;
  return row;
}

}  // namespace

Datum kobal_lookup(PG_FUNCTION_ARGS) {
  const kobal::postgresql::Utf8Argument written =
      kobal::postgresql::ArgumentUtf8(PG_GETARG_TEXT_PP(0));
  KobalSqlText answer;
  if (kobal_sql_lookup(written.bytes, written.length, &answer) != 0) OutOfMemory();
  PG_RETURN_TEXT_P(kobal::postgresql::ServerText(answer));
}

Datum kobal_format(PG_FUNCTION_ARGS) {
  const kobal::postgresql::Utf8Argument written =
      kobal::postgresql::ArgumentUtf8(PG_GETARG_TEXT_PP(0));
  KobalSqlText formatted;
  if (kobal_sql_format(written.bytes, written.length, &formatted) != 0) OutOfMemory();
  if (formatted.length == 0) PG_RETURN_NULL();
  PG_RETURN_TEXT_P(kobal::postgresql::ServerText(formatted));
}

Datum kobal_parse(PG_FUNCTION_ARGS) {
  text* argument = PG_GETARG_TEXT_PP(0);
  const TupleDesc row = AnswerRow(fcinfo);
  const kobal::postgresql::Utf8Argument written = kobal::postgresql::ArgumentUtf8(argument);
  KobalSqlFields answer;
  if (kobal_sql_parse(written.bytes, written.length, &answer) != 0) OutOfMemory();
  Datum values[KOBAL_SQL_FIELD_COUNT];
  bool nulls[KOBAL_SQL_FIELD_COUNT];
  // The input is the argument as given, in the database's encoding; an empty field is NULL.
  values[0] = PointerGetDatum(argument);
  nulls[0] = false;
  for (int i = 1; i < KOBAL_SQL_FIELD_COUNT; ++i) {
    nulls[i] = answer.fields[i].length == 0;
    values[i] =
        nulls[i] ? Datum(0) : PointerGetDatum(kobal::postgresql::ServerText(answer.fields[i]));
  }
  return HeapTupleGetDatum(heap_form_tuple(row, values, nulls));
}
