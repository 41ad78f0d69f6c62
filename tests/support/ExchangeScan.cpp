// Test helper: the exchange search done the plain way, row by row, to check the library's index.
#include "support/ExchangeScan.h"

#include <cstring>

namespace kobal::test {

int32_t ScanExchange(const char* key, const ExchangeRow* rows, int32_t rowCount) {
  for (int32_t row = 0; row < rowCount; ++row) {
    if (std::strstr(rows[row].prefixList, key) != nullptr) return row;
  }
  return tables::kNoExchangeRow;
}

std::string ScannedAnswer(const char* text, int group, int32_t rowCount) {
  const std::string key = std::string(text).substr(0, 6);
  const ExchangeTable& table = tables::kExchangeTables[group];
  const int32_t row = ScanExchange(key.c_str(), table.rows, rowCount);
  return row == tables::kNoExchangeRow ? tables::kUnknown : table.rows[row].answer.text;
}

std::string FixedLineAnswer(const std::string& placeName) {
  return tables::kFixedLineOpen + placeName + tables::kFixedLineClose;
}

std::string PlaceNameOf(const AnswerText& answer) {
  const std::size_t open = std::strlen(tables::kFixedLineOpen);
  const std::size_t close = std::strlen(tables::kFixedLineClose);
  const std::string text(answer.text, static_cast<std::size_t>(answer.size));
  if (text.size() < open + close) return {};
  return text.substr(open, text.size() - open - close);
}

}  // namespace kobal::test
