#include "fields/AnswerTable.h"

namespace kobal::fields {
namespace {

// Whether two texts of `size` bytes are equal, a word at a time and inline: answers are short,
// and a library call would cost as much as the rest of the lookup.
bool SameBytes(const char* a, const char* b, std::size_t size) {
  if (size < 8) {
    for (std::size_t i = 0; i < size; ++i) {
      if (a[i] != b[i]) return false;
    }
    return true;
  }
  for (std::size_t at = 0; at + 8 < size; at += 8) {
    if (LoadWord(a + at) != LoadWord(b + at)) return false;
  }
  return LoadWord(a + size - 8) == LoadWord(b + size - 8);  // the last word, overlapping
}

}  // namespace

const AnswerFields* FindAnswer(std::string_view answer) {
  std::size_t slot = AnswerSlot(answer);
  while (const uint16_t row = kAnswerTable.slots[slot]) {
    const AnswerFields& fields = kAnswerTable.rows[row - 1];
    if (fields.shiftJis.size() == answer.size() &&
        SameBytes(fields.shiftJis.data(), answer.data(), answer.size())) {
      return &fields;
    }
    slot = (slot + 1) % kAnswerSlots;
  }
  return nullptr;
}

}  // namespace kobal::fields
