// Ten-digit fixed-line numbers: the NTT exchange area that serves their first six digits.
#include <cstdlib>
#include <cstring>

#include "Digits.h"
#include "KobalInternal.h"

namespace kobal {
namespace {

constexpr std::size_t kKeyLength = 6;

// The first two characters read as atoi reads them; two digits need no library call.
int GroupValue(const char* text) {
  if (IsDigit(text[0]) && IsDigit(text[1])) return 10 * DigitValue(text[0]) + DigitValue(text[1]);
  const char groupText[3] = {text[0], text[1], '\0'};
  return std::atoi(groupText);
}

// The first six characters of `text`, fewer if it is shorter: the copy stops at its NUL.
void CopyKey(char (&key)[kKeyLength + 1], const char* text) {
  std::size_t length = 0;
  for (; length < kKeyLength && text[length] != '\0'; ++length) key[length] = text[length];
  key[length] = '\0';
}

// True for "0", a group digit and four more digits: the keys the generated index holds.
bool IsIndexedKey(const char* key) {
  if (key[0] != '0') return false;
  for (std::size_t i = 1; i < kKeyLength; ++i) {
    if (!IsDigit(key[i])) return false;
  }
  return true;
}

// The built-in table whose index answers `key` over these rows, or nullptr: the index knows only
// the generated arrays, and for their leading rows its first holder is still the first, or none.
const ExchangeTable* IndexedTable(const char* key, const ExchangeRow* rows, int32_t rowCount) {
  if (!IsIndexedKey(key)) return nullptr;
  const ExchangeTable& table = tables::kExchangeTables[DigitValue(key[1])];
  return rows == table.rows && rowCount <= table.rowCount ? &table : nullptr;
}

int32_t IndexedRow(const char* key, int32_t rowCount) {
  const int slot = 1000 * DigitValue(key[2]) + 100 * DigitValue(key[3]) + 10 * DigitValue(key[4]) +
                   DigitValue(key[5]);
  const int32_t row = tables::kExchangeIndex[DigitValue(key[1])][slot];
  return row < rowCount ? row : tables::kNoExchangeRow;  // kNoIndexedRow is past every count
}

// The answer to an indexed key over the first `rowCount` rows of its group's built-in table.
void WriteIndexedAnswer(const char* key, int32_t rowCount, char* result) {
  const int32_t row = IndexedRow(key, rowCount);
  if (row == tables::kNoExchangeRow) {
    WriteAnswer(result, tables::kUnknownAnswer);
  } else {
    // Built-in rows have their answer composed already.
    WriteAnswer(result, tables::kExchangeAnswers[DigitValue(key[1])][row]);
  }
}

void WriteComposed(char* result, const char* placeName) {
  const std::size_t openLength = std::strlen(tables::kFixedLineOpen);
  const std::size_t nameLength = std::strlen(placeName);
  CopyIntoResult(result, 0, tables::kFixedLineOpen, openLength);
  CopyIntoResult(result, openLength, placeName, nameLength);
  WriteText(result + openLength + nameLength, tables::kFixedLineClose);
}

// Ten characters that do not begin with an indexed key: the group as atoi reads it, and the
// lookup through MatchExchange. Kept out of line so that its buffers, and the stack guard they
// bring in hardened builds, stay off the indexed path.
[[gnu::noinline]] void DetectUnindexedFixedLine(const char* text, char* result) {
  const int group = GroupValue(text);
  if (group < 1 || group > 9) {
    WriteAnswer(result, tables::kUnknownAnswer);
    return;
  }
  const ExchangeTable& table = tables::kExchangeTables[group];
  MatchExchange(text, table.rows, table.rowCount, result);
}

}  // namespace

int32_t DetectFixedLine(const char* text, char* result) {
  if (std::strlen(text) != 10) {
    WriteAnswer(result, tables::kUnknownAnswer);
    return 1;
  }
  return DetectTenCharacterFixedLine(text, result);
}

int32_t DetectTenCharacterFixedLine(const char* text, char* result) {
  // The usual number, "0" and nine digits, begins with an indexed key: looked up in the whole
  // table of its group at once, as MatchExchange would after copying and checking the key.
  // Groups without rows have a row count of 0, so their keys answer unknown, as group 0 does.
  if (IsIndexedKey(text)) {
    WriteIndexedAnswer(text, tables::kExchangeTables[DigitValue(text[1])].rowCount, result);
  } else {
    DetectUnindexedFixedLine(text, result);
  }
  return 1;
}

int32_t ScanExchange(const char* key, const ExchangeRow* rows, int32_t rowCount) {
  for (int32_t row = 0; row < rowCount; ++row) {
    if (std::strstr(rows[row].prefixList, key) != nullptr) return row;
  }
  return tables::kNoExchangeRow;
}

int32_t FindExchangeRow(const char* key, const ExchangeRow* rows, int32_t rowCount) {
  if (IndexedTable(key, rows, rowCount) != nullptr) return IndexedRow(key, rowCount);
  return ScanExchange(key, rows, rowCount);
}

int32_t MatchExchange(const char* text, const ExchangeRow* rows, int32_t rowCount, char* result) {
  char key[kKeyLength + 1];
  CopyKey(key, text);
  if (IndexedTable(key, rows, rowCount) != nullptr) {
    WriteIndexedAnswer(key, rowCount, result);
    return 0;
  }
  const int32_t row = ScanExchange(key, rows, rowCount);
  if (row == tables::kNoExchangeRow) {
    WriteAnswer(result, tables::kUnknownAnswer);
  } else {
    WriteComposed(result, rows[row].placeName);
  }
  return 0;
}

}  // namespace kobal
