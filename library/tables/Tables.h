// The library's constant tables; tools/gen_tables.py defines them from the .txt files beside this.
// Every answer is held once, whole and with its size, ready to copy into the caller's buffer.
#pragma once

#include <cstddef>
#include <cstdint>

#include "kobal/KobalFnc.h"

namespace kobal {

// A whole answer and its size, both generated: it is copied without being measured.
struct AnswerText {
  const char* text;  // Shift-JIS, NUL-terminated
  int32_t size;      // its bytes without the NUL
};

// One row of a fixed-line exchange table: its answer and the ";"-joined keys it serves. The
// lookup reads only the answer, the index standing for the lists; the lists stay as the data
// the index was made from, which the tests search to check it.
struct ExchangeRow {
  AnswerText answer;       // "NTT固定（" + the area's place name, prefecture first + "）"
  const char* prefixList;  // ASCII, ";" and six digits per entry
};

// The rows of one group digit, and the index that finds the first row holding a key.
struct ExchangeTable {
  const ExchangeRow* rows;
  int32_t rowCount;
  const uint8_t* index;  // kExchangeIndexSize slots; nullptr for a table without rows
};

struct NineDigitRow {
  const char* prefix;  // the first five characters
  AnswerText answer;
};

// True when `text` has exactly `size` bytes before its NUL and fits a caller's buffer with it.
// The generated tables assert it of every answer, so copies by size alone stay in the buffer.
consteval bool Fits(const char* text, int32_t size) {
  if (size < 0 || size >= KOBAL_RESULT_SIZE) return false;
  for (int32_t i = 0; i < size; ++i) {
    if (text[i] == '\0') return false;
  }
  return text[size] == '\0';
}

consteval bool Fits(const AnswerText& answer) { return Fits(answer.text, answer.size); }

template <std::size_t N>
consteval bool AllFit(const AnswerText (&answers)[N]) {
  for (const AnswerText& answer : answers) {
    if (!Fits(answer)) return false;
  }
  return true;
}

template <std::size_t N>
consteval bool AllFit(const ExchangeRow (&rows)[N]) {
  for (const ExchangeRow& row : rows) {
    if (!Fits(row.answer)) return false;
  }
  return true;
}

namespace tables {

// The fixed texts; the last two are the pieces every exchange answer is composed of.
extern const char kUnknown[];
extern const char kFreeDial[];
extern const char kDialQ2[];
extern const char kFixedLineOpen[];
extern const char kFixedLineClose[];
extern const AnswerText kUnknownAnswer;
extern const AnswerText kFreeDialAnswer;
extern const AnswerText kDialQ2Answer;

// Service numbers 100 to 181, indexed by value - 100; kUnknownAnswer where a value has no row.
inline constexpr int32_t kServiceFirst = 100;
inline constexpr int32_t kServiceLast = 181;
inline constexpr int32_t kServiceSlots = kServiceLast - kServiceFirst + 1;
extern const AnswerText kServiceAnswers[kServiceSlots];

// Nine-character numbers, by their first characters, compared in this order.
inline constexpr std::size_t kNineDigitPrefixLength = 5;
extern const int32_t kNineDigitCount;
extern const NineDigitRow kNineDigit[];

// The 070/090 groups with a block table. [0] is "070", [1] "090": by the fourth digit, the
// number of the group of those four characters, or -1. Each of a group's blocks (the fifth and
// sixth digits) holds its carrier's place in kMobileCarrierAnswers.
inline constexpr int32_t kMobileGroupCount = 9;
inline constexpr int32_t kMobileBlockCount = 100;
extern const int8_t kMobileGroupSlots[2][10];
extern const AnswerText kMobileCarrierAnswers[];
extern const uint8_t kMobileBlockCarriers[kMobileGroupCount][kMobileBlockCount];

// Exchange tables by group digit (the second digit of the number); 0, 8 and 9 have no rows.
inline constexpr int32_t kExchangeTableCount = 10;
extern const ExchangeTable kExchangeTables[kExchangeTableCount];

// A key of table N is "0N" and four characters of a prefix list, which holds only digits and
// ";": its index slot reads those four as digits of base 11, ";" being 10. A slot holds the
// number of the first row whose list holds the key, or kNoIndexedRow: the answer a search of
// every row in order would find, computed when the tables are generated. One byte a slot keeps
// an index at 15 KB; so a table has fewer rows than kNoIndexedRow (the generator checks).
inline constexpr int32_t kKeySymbols = 11;
inline constexpr int32_t kExchangeIndexSize = kKeySymbols * kKeySymbols * kKeySymbols * kKeySymbols;
inline constexpr uint8_t kNoIndexedRow = 255;

// The row number that the search returns when no row holds a key.
inline constexpr int32_t kNoExchangeRow = -1;

}  // namespace tables
}  // namespace kobal
