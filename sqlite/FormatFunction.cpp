#include "sqlite/FormatFunction.h"

namespace kobal::sqlite {

void FormatFunction::Call(sqlite3_context* context, sqlite3_value* argument) {
  const std::optional<std::string_view> text = line_.Read(argument);
  if (!text) return sqlite3_result_null(context);
  answerer_.Answer(*text);
  const std::string_view formatted = answerer_.Text(Field::kFormatted, *text);
  if (formatted.empty()) return sqlite3_result_null(context);
  sqlite3_result_text(context, formatted.data(), static_cast<int>(formatted.size()),
                      SQLITE_TRANSIENT);
}

}  // namespace kobal::sqlite
