// The library's constant tables; tools/gen_tables.py defines them from the .txt files beside this.
#pragma once

#include <cstddef>
#include <cstdint>

#include "kobal/KobalFnc.h"

namespace kobal {

// One row of a fixed-line exchange table: the area's name and the ";"-joined keys it serves.
struct ExchangeRow {
  const char* placeName;   // Shift-JIS, prefecture first
  const char* prefixList;  // ASCII, ";" and six digits per entry
};

struct ExchangeTable {
  const ExchangeRow* rows;
  int32_t rowCount;
};

// A whole answer and its size, both generated: it is copied without being measured.
struct AnswerText {
  const char* text;  // Shift-JIS, NUL-terminated
  int32_t size;      // its bytes without the NUL
};

struct NineDigitRow {
  const char* prefix;  // the first five digits
  const char* text;    // the whole answer
  int32_t size;        // its bytes without the NUL
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

namespace tables {

extern const char kUnknown[];
extern const char kFreeDial[];
extern const char kDialQ2[];
extern const char kFixedLineOpen[];
extern const char kFixedLineClose[];
extern const AnswerText kUnknownAnswer;
extern const AnswerText kFreeDialAnswer;
extern const AnswerText kDialQ2Answer;

// Service numbers 100 to 181, indexed by value - 100; nullptr where the value has no row.
inline constexpr int32_t kServiceFirst = 100;
inline constexpr int32_t kServiceLast = 181;
inline constexpr int32_t kServiceSlots = kServiceLast - kServiceFirst + 1;
extern const char* const kServiceTexts[kServiceSlots];
// The same slots ready to copy, with kUnknownAnswer where a value has no row.
extern const AnswerText kServiceAnswers[kServiceSlots];

extern const int32_t kNineDigitCount;
extern const NineDigitRow kNineDigit[];

// The leading groups of 070/090 numbers with a block table, in the order they are tried.
inline constexpr int32_t kMobileGroupCount = 9;
extern const char* const kMobileGroups[kMobileGroupCount];
extern const char* const kMobileBlocks[kMobileGroupCount][100];
// The same blocks ready to copy: [0] is "070", [1] "090"; by the fourth digit, the number of
// the group of those four digits or -1; each block, its carrier's place in the answers.
extern const int8_t kMobileGroupSlots[2][10];
extern const AnswerText kMobileCarrierAnswers[];
extern const uint8_t kMobileBlockCarriers[kMobileGroupCount][100];

// Exchange tables by group digit (the second digit of the number); 0, 8 and 9 have no rows.
inline constexpr int32_t kExchangeTableCount = 10;
extern const ExchangeTable kExchangeTables[kExchangeTableCount];

// Per group digit N, slot k gives the number of the first row of kExchangeTables[N] whose list
// holds the key "0N" followed by k as four digits, or kNoIndexedRow when no row does: the answer
// the row scan would find, computed when the tables are generated. One byte a slot keeps the
// index at 100 KB, which stays in cache better; so a table has at most 255 rows (the generator
// checks), and kNoIndexedRow is past every row count.
inline constexpr int32_t kExchangeIndexSize = 10000;
inline constexpr uint8_t kNoIndexedRow = 255;
extern const uint8_t kExchangeIndex[kExchangeTableCount][kExchangeIndexSize];

// The row number that the lookups return when no row holds a key.
inline constexpr int32_t kNoExchangeRow = -1;

// Row for row beside kExchangeTables[N].rows, "NTT固定（" + placeName + "）"; nullptr where a group
// has no rows.
extern const AnswerText* const kExchangeAnswers[kExchangeTableCount];

}  // namespace tables
}  // namespace kobal
