// The library's constant tables; tools/gen_tables.py defines them from the .txt files beside this.
#pragma once

#include <cstdint>

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

// The whole fixed-line answer of one built-in exchange row, composed when it is generated.
struct ExchangeAnswer {
  const char* text;  // "NTT固定（" + placeName + "）" in Shift-JIS
  int32_t size;      // its bytes without the NUL
};

struct NineDigitRow {
  const char* prefix;  // the first five digits
  const char* text;    // the whole answer
};

namespace tables {

extern const char kUnknown[];
extern const char kFreeDial[];
extern const char kDialQ2[];
extern const char kFixedLineOpen[];
extern const char kFixedLineClose[];

// Service numbers 100 to 181, indexed by value - 100; nullptr where the value has no row.
inline constexpr int32_t kServiceFirst = 100;
inline constexpr int32_t kServiceLast = 181;
inline constexpr int32_t kServiceSlots = kServiceLast - kServiceFirst + 1;
extern const char* const kServiceTexts[kServiceSlots];

extern const int32_t kNineDigitCount;
extern const NineDigitRow kNineDigit[];

// The leading groups of 070/090 numbers with a block table, in the order they are tried.
inline constexpr int32_t kMobileGroupCount = 9;
extern const char* const kMobileGroups[kMobileGroupCount];
extern const char* const kMobileBlocks[kMobileGroupCount][100];

// Exchange tables by group digit (the second digit of the number); 0, 8 and 9 have no rows.
inline constexpr int32_t kExchangeTableCount = 10;
extern const ExchangeTable kExchangeTables[kExchangeTableCount];

// Per group digit N, slot k gives the number of the first row of kExchangeTables[N] whose list
// holds the key "0N" followed by k as four digits, or -1 when no row does: the answer the row
// scan would find, computed when the tables are generated.
inline constexpr int32_t kExchangeIndexSize = 10000;
inline constexpr int16_t kNoExchangeRow = -1;
extern const int16_t kExchangeIndex[kExchangeTableCount][kExchangeIndexSize];

// Row for row beside kExchangeTables[N].rows; nullptr where a group has no rows.
extern const ExchangeAnswer* const kExchangeAnswers[kExchangeTableCount];

}  // namespace tables
}  // namespace kobal
