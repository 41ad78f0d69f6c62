// Ten-digit fixed-line numbers: the NTT exchange area that serves their first six digits.
#include <cstdlib>
#include <cstring>

#include "KobalInternal.h"

namespace kobal {
namespace {

constexpr std::size_t kKeyLength = 6;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The first six characters of `text`, fewer if it is shorter: the copy stops at its NUL.
void CopyKey(char (&key)[kKeyLength + 1], const char* text) {
  std::strncpy(key, text, kKeyLength);
  key[kKeyLength] = '\0';
}

// True for "0", a group digit and four more digits: the keys the generated index holds.
bool IsIndexedKey(const char* key) {
  if (key[0] != '0') return false;
  for (std::size_t i = 1; i < kKeyLength; ++i) {
    if (!IsDigit(key[i])) return false;
  }
  return true;
}

}  // namespace

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

int32_t ScanExchange(const char* key, const ExchangeRow* rows, int32_t rowCount) {
  for (int32_t row = 0; row < rowCount; ++row) {
    if (std::strstr(rows[row].prefixList, key) != nullptr) return row;
  }
  return tables::kNoExchangeRow;
}

int32_t FindExchangeRow(const char* key, const ExchangeRow* rows, int32_t rowCount) {
  if (IsIndexedKey(key)) {
    const int group = key[1] - '0';
    const ExchangeTable& table = tables::kExchangeTables[group];
    // The index knows the built-in table; for its leading rows the first holder is the same
    // row when it lies within them, and none otherwise. Any other row array is scanned.
    if (rows == table.rows && rowCount <= table.rowCount) {
      const int slot = std::atoi(key + 2);
      const int32_t row = tables::kExchangeIndex[group][slot];
      return row < rowCount ? row : tables::kNoExchangeRow;
    }
  }
  return ScanExchange(key, rows, rowCount);
}

int32_t MatchExchange(const char* text, const ExchangeRow* rows, int32_t rowCount, char* result) {
  char key[kKeyLength + 1];
  CopyKey(key, text);
  const int32_t row = FindExchangeRow(key, rows, rowCount);
  if (row == tables::kNoExchangeRow) {
    WriteText(result, tables::kUnknown);
    return 0;
  }
  const std::size_t openLength = std::strlen(tables::kFixedLineOpen);
  const std::size_t nameLength = std::strlen(rows[row].placeName);
  std::memcpy(result, tables::kFixedLineOpen, openLength);
  std::memcpy(result + openLength, rows[row].placeName, nameLength);
  WriteText(result + openLength + nameLength, tables::kFixedLineClose);
  return 0;
}

}  // namespace kobal
