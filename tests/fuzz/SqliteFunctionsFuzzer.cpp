// libFuzzer target on the SQLite extension's functions, linked in and driven through an
// in-memory database: any bytes, as a BLOB and as TEXT, get from each function the same answer
// both ways: kobal_lookup a text that is UTF-8, the same when asked again in one statement (some
// numbers the library answers with empty text); kobal_format NULL or digits and hyphens;
// kobal_parse valid JSON whose result is kobal_lookup's.
#include <sqlite3.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
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

// NULL as none.
std::optional<std::string_view> ColumnValue(sqlite3_stmt* statement, int column) {
  if (sqlite3_column_type(statement, column) == SQLITE_NULL) return std::nullopt;
  return ColumnText(statement, column);
}

sqlite3_stmt* Prepare() {
  Require(sqlite3_auto_extension(reinterpret_cast<void (*)()>(sqlite3_kobal_init)) == SQLITE_OK,
          "the extension registered");
  sqlite3* db = nullptr;
  Require(sqlite3_open(":memory:", &db) == SQLITE_OK, "a database opened");
  sqlite3_stmt* statement = nullptr;
  Require(sqlite3_prepare_v2(db,
                             "SELECT kobal_lookup(?1), kobal_lookup(CAST(?1 AS TEXT)), "
                             "kobal_lookup(?1), kobal_format(?1), kobal_format(CAST(?1 AS TEXT)), "
                             "kobal_parse(?1), kobal_parse(CAST(?1 AS TEXT)), "
                             "json_valid(kobal_parse(?1)), kobal_parse(?1) ->> 'result'",
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

  const std::optional<std::string_view> formatted = ColumnValue(statement, 3);
  Require(ColumnValue(statement, 4) == formatted, "TEXT formatted apart from the same BLOB");
  Require(!formatted || (!formatted->empty() &&
                         formatted->find_first_not_of("0123456789-") == std::string_view::npos),
          "a formatted number of more than digits and hyphens");

  Require(ColumnText(statement, 5) == ColumnText(statement, 6),
          "TEXT parsed apart from the same BLOB");
  Require(sqlite3_column_int(statement, 7) == 1, "kobal_parse's text is not JSON");
  const std::optional<std::string_view> result = ColumnValue(statement, 8);
  Require(result ? *result == answer : answer.empty(),
          "kobal_parse's result is not kobal_lookup's");
  sqlite3_reset(statement);
  return 0;
}
