// Mobile (090) and PHS (070) numbers: the carrier that holds the six-digit number block.
#include "Digits.h"
#include "KobalInternal.h"

namespace kobal {
namespace {

// A lone character read as a decimal number: its digit value, 0 for anything else.
int32_t BlockDigit(char c) { return IsDigit(c) ? DigitValue(c) : 0; }

// The group of the first four characters, or -1. Every group is "070" or "090" and a fourth
// digit (the generator checks), so those four characters pick it without a search.
int32_t GroupOf(const char* text) {
  if (text[0] != '0' || text[2] != '0' || !IsDigit(text[3])) return -1;
  if (text[1] != '7' && text[1] != '9') return -1;
  return tables::kMobileGroupSlots[text[1] == '9'][DigitValue(text[3])];
}

// Writes the answer of the block that the fifth and sixth characters of `text` name.
void CopyBlockEntry(const char* text, const uint8_t (&blocks)[tables::kMobileBlockCount],
                    char* result) {
  const int32_t block = 10 * BlockDigit(text[4]) + BlockDigit(text[5]);
  WriteAnswer(result, tables::kMobileCarrierAnswers[blocks[block]]);
}

}  // namespace

int32_t DetectMobileCarrier(const char* text, char* result) {
  const int32_t group = GroupOf(text);  // the caller guarantees eleven characters
  if (group < 0) {
    WriteAnswer(result, tables::kUnknownAnswer);
    return 1;
  }
  CopyBlockEntry(text, tables::kMobileBlockCarriers[group], result);
  return 1;
}

}  // namespace kobal
