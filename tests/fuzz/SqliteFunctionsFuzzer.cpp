// libFuzzer target on the SQLite extension's functions, linked in and driven through an
// in-memory database: any bytes, as a BLOB and as TEXT, get a text answer that is UTF-8, the
// same both ways and the same when asked again in one statement (some numbers the library
// answers with empty text).
#include <sqlite3.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "encodings/Utf8.h"
#include "sqlite/KobalExtension.h"

namespace {

void Require(bool holds, const char* what) {
  if (!holds) {
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
  }
}

std::string_view ColumnText(sqlite3_stmt* statement, int column) {
  Require(sqlite3_column_type(statement, column) == SQLITE_TEXT, "an answer that is not text");
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
  return {text, static_cast<std::size_t>(sqlite3_column_bytes(statement, column))};
}

sqlite3_stmt* Prepare() {
  Require(sqlite3_auto_extension(reinterpret_cast<void (*)()>(sqlite3_kobal_init)) == SQLITE_OK,
          "the extension registered");
  sqlite3* db = nullptr;
  Require(sqlite3_open(":memory:", &db) == SQLITE_OK, "a database opened");
  sqlite3_stmt* statement = nullptr;
  Require(sqlite3_prepare_v2(db,
                             "SELECT kobal_lookup(?1), kobal_lookup(CAST(?1 AS TEXT)), "
                             "kobal_lookup(?1)",
                             -1, &statement, nullptr) == SQLITE_OK,
          "the query prepared");
  return statement;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static sqlite3_stmt* const statement = Prepare();
  sqlite3_bind_blob(statement, 1, data, static_cast<int>(size), SQLITE_STATIC);
  Require(sqlite3_step(statement) == SQLITE_ROW, "a row");
  const std::string_view answer = ColumnText(statement, 0);
  std::size_t cut = 0;
  Require(kobal::IsValidUtf8(answer, true, cut), "an answer that is not UTF-8");
  Require(ColumnText(statement, 1) == answer, "TEXT answered apart from the same BLOB");
  Require(ColumnText(statement, 2) == answer, "the same value answered twice apart");
  sqlite3_reset(statement);
  return 0;
}
