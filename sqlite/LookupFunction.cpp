#include "sqlite/LookupFunction.h"

#include "encodings/AnswerText.h"

namespace kobal::sqlite {

void LookupFunction::Call(sqlite3_context* context, sqlite3_value* argument) {
  const std::optional<std::string_view> line = line_.Read(argument);
  if (!line) return sqlite3_result_null(context);
  const std::string_view text = Text(line_.Terminated() ? classifier_.ClassifyTerminated(*line)
                                                        : classifier_.Classify(*line));
  // Static: the text outlives every statement of the connection.
  sqlite3_result_text(context, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
}

std::string_view LookupFunction::Text(std::uint32_t number) {
  // Numbers come in the order answers are first met, so at most one is new.
  while (views_.size() <= number) {
    texts_.push_back(AnswerUtf8(classifier_.AnswerText(static_cast<std::uint32_t>(views_.size()))));
    views_.push_back(texts_.back());
  }
  return views_[number];
}

}  // namespace kobal::sqlite
