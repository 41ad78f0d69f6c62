// Ten-digit fixed-line numbers: the NTT exchange area that serves their first six digits.
#include <cstdlib>
#include <cstring>

#include "KobalInternal.h"

namespace kobal {

int32_t DetectFixedLine(const char* text, char* result) {
  if (std::strlen(text) != 10) {
    WriteText(result, tables::kUnknown);
    return 1;
  }
  char groupText[3];
  std::memcpy(groupText, text, 2);
  groupText[2] = '\0';
  const int group = std::atoi(groupText);
  if (group < 1 || group > 9) {
    WriteText(result, tables::kUnknown);
    return 1;
  }
  const ExchangeTable& table = tables::kExchangeTables[group];
  MatchExchange(text, table.rows, table.rowCount, result);
  return 1;
}

int32_t MatchExchange(const char* text, const ExchangeRow* rows, int32_t rowCount, char* result) {
  char key[7];
  std::memcpy(key, text, 6);  // the caller guarantees at least six characters
  key[6] = '\0';
  for (int32_t row = 0; row < rowCount; ++row) {
    if (std::strstr(rows[row].prefixList, key) != nullptr) {
      const std::size_t openLength = std::strlen(tables::kFixedLineOpen);
      const std::size_t nameLength = std::strlen(rows[row].placeName);
      std::memcpy(result, tables::kFixedLineOpen, openLength);
      std::memcpy(result + openLength, rows[row].placeName, nameLength);
      WriteText(result + openLength + nameLength, tables::kFixedLineClose);
      return 0;
    }
  }
  WriteText(result, tables::kUnknown);
  return 0;
}

}  // namespace kobal
