// Ten-digit fixed-line numbers: the NTT exchange area that serves their first six digits.
#include "Digits.h"
#include "KobalInternal.h"

namespace kobal {
namespace {

// True when `text` has ten characters. Reads nothing after its NUL.
bool HasTenCharacters(const char* text) {
  for (int i = 0; i < 10; ++i) {
    if (text[i] == '\0') return false;
  }
  return text[10] == '\0';
}

// A character of a prefix list as a digit of an index slot: 0 to 9, 10 for ";", and -1 for any
// other character, which no list holds.
constexpr int KeySymbol(char c) {
  if (IsDigit(c)) return DigitValue(c);
  return c == ';' ? 10 : -1;
}

// A slot's four characters are digits of base kKeySymbols, the first the highest. Per place and
// character, the character's share of the slot; a character that no list holds has a share so
// negative that any sum with it stays below 0. A slot is then four reads and their sum.
constexpr int32_t kNoKeyShare = -(1 << 24);
struct SlotShares {
  int32_t place[4][256];
};
constexpr SlotShares kSlotShares = [] {
  SlotShares shares{};
  int32_t weight = 1;
  for (int place = 3; place >= 0; --place) {
    for (int c = 0; c < 256; ++c) {
      const int symbol = KeySymbol(static_cast<char>(c));
      shares.place[place][c] = symbol < 0 ? kNoKeyShare : symbol * weight;
    }
    weight *= tables::kKeySymbols;
  }
  return shares;
}();

// The index slot of the four characters after a key's "0N", or -1 when no list can hold them.
int32_t KeySlot(const char* tail) {
  const auto* c = reinterpret_cast<const unsigned char*>(tail);
  const int32_t slot = kSlotShares.place[0][c[0]] + kSlotShares.place[1][c[1]] +
                       kSlotShares.place[2][c[2]] + kSlotShares.place[3][c[3]];
  return slot < 0 ? -1 : slot;
}

// The number of the first of `rows` whose list holds the key that begins `text`, or
// kNoExchangeRow.
int32_t FindExchangeRow(const char* text, const ExchangeRow* rows, int32_t rowCount) {
  if (text[0] != '0' || !IsDigit(text[1])) return tables::kNoExchangeRow;
  const ExchangeTable& table = tables::kExchangeTables[DigitValue(text[1])];
  if (rows != table.rows || table.index == nullptr) return tables::kNoExchangeRow;
  const int32_t slot = KeySlot(text + 2);
  if (slot < 0) return tables::kNoExchangeRow;
  const int32_t row = table.index[slot];
  return row < rowCount ? row : tables::kNoExchangeRow;  // kNoIndexedRow is past every count
}

}  // namespace

// Flattened: the usual number is looked up with no call after the one that brought it here.
[[gnu::flatten]] int32_t DetectFixedLine(const char* text, char* result) {
  // The group is the first two characters read as atoi reads them. DetectCarrier passes texts
  // that begin with "0", for which that is the second character if it is a digit, and 0 (no
  // table) otherwise. Groups 8 and 9 have no rows, so their search answers unknown. Those two
  // characters are tested before the length, which then need not look at them again.
  if (text[0] != '0' || !IsDigit(text[1]) || !HasTenCharacters(text)) {
    WriteAnswer(result, tables::kUnknownAnswer);
    return 1;
  }
  const ExchangeTable& table = tables::kExchangeTables[DigitValue(text[1])];
  MatchExchange(text, table.rows, table.rowCount, result);
  return 1;
}

int32_t MatchExchange(const char* text, const ExchangeRow* rows, int32_t rowCount, char* result) {
  const int32_t row = FindExchangeRow(text, rows, rowCount);
  WriteAnswer(result, row == tables::kNoExchangeRow ? tables::kUnknownAnswer : rows[row].answer);
  return 0;
}

}  // namespace kobal
