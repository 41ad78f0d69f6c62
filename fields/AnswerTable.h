// Every answer the library can give, as fields: its class and the UTF-8 words it holds. Generated
// by tools/gen_fields.py from the library's tables and fields/data/; found by a hash of the
// answer's Shift-JIS bytes, built when the table is compiled.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>

namespace kobal::fields {

// What an answer says the number is; the number's shape then says which kind (fixed, mobile...).
enum class AnswerClass : uint8_t {
  kUnknown,
  kFixedLine,
  kCarrier,
  kService,
  kTollFree,
  kInformation
};

struct AnswerFields {
  std::string_view shiftJis;  // the answer, as DetectCarrier writes it
  AnswerClass answerClass;
  std::string_view prefecture, place;  // fixed-line answers
  std::string_view brand, region;      // carrier texts
};

// Open addressing with linear probing; twice the slots of the rows keeps probes short.
inline constexpr std::size_t kAnswerSlots = 2048;
struct AnswerTable {
  const AnswerFields* rows;
  uint16_t slots[kAnswerSlots];  // row + 1; 0 for an empty slot
};

// Eight bytes from `text`, the first the lowest. Compiled as one load at run time.
constexpr uint64_t LoadWord(const char* text) {
  uint64_t word = 0;
  if (std::is_constant_evaluated()) {
    for (int i = 0; i < 8; ++i) word |= uint64_t{static_cast<unsigned char>(text[i])} << (8 * i);
  } else {
    std::memcpy(&word, text, sizeof word);
  }
  return word;
}

// The fixed-line answers share their first nine bytes and last two, so the size and the words in
// the middle and at the end are what tell answers apart; one multiply mixes them, and the slot is
// the product's top bits.
constexpr uint32_t AnswerHash(std::string_view text) {
  uint64_t word = text.size();
  if (text.size() >= 8) {
    const uint64_t last = LoadWord(text.data() + text.size() - 8);
    word ^= LoadWord(text.data() + (text.size() - 8) / 2) ^ (last << 32 | last >> 32);
  } else {
    for (char c : text) word = word << 8 | static_cast<unsigned char>(c);
  }
  return static_cast<uint32_t>((word * 0x9E3779B97F4A7C15u) >> 32);
}

constexpr std::size_t AnswerSlot(std::string_view text) { return AnswerHash(text) >> 21; }
static_assert(kAnswerSlots == std::size_t{1} << (32 - 21));

template <std::size_t N>
constexpr AnswerTable BuildAnswerTable(const AnswerFields (&rows)[N]) {
  static_assert(2 * N <= kAnswerSlots, "the answer table needs more slots");
  AnswerTable table{rows, {}};
  for (std::size_t row = 0; row < N; ++row) {
    std::size_t slot = AnswerSlot(rows[row].shiftJis);
    while (table.slots[slot] != 0) slot = (slot + 1) % kAnswerSlots;
    table.slots[slot] = static_cast<uint16_t>(row + 1);
  }
  return table;
}

extern const AnswerTable kAnswerTable;

// The fields of `answer` (Shift-JIS, without its NUL), or null for a text the library never gives.
const AnswerFields* FindAnswer(std::string_view answer);

}  // namespace kobal::fields
