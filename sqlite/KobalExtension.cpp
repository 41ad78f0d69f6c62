// Defines every function of the extension in the connection that loads it.
#include "sqlite/KobalExtension.h"

#include "sqlite/FormatFunction.h"
#include "sqlite/LookupFunction.h"
#include "sqlite/ParseFunction.h"
#include "sqlite/SqlFunction.h"

SQLITE_EXTENSION_INIT1

extern "C" int sqlite3_kobal_init(sqlite3* db, char** /*error*/, const sqlite3_api_routines* api) {
  SQLITE_EXTENSION_INIT2(api);
  using namespace kobal::sqlite;
  return DefineFunctions<LookupFunction, FormatFunction, ParseFunction>(db);
}
