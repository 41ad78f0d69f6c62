// Mobile (090) and PHS (070) numbers: the carrier that holds the six-digit number block.
#include <cstring>

#include "Digits.h"
#include "KobalInternal.h"

namespace kobal {
namespace {

// A lone character read as a decimal number: its digit value, 0 for anything else.
int32_t BlockDigit(char c) { return IsDigit(c) ? DigitValue(c) : 0; }

}  // namespace

int32_t DetectMobileCarrier(const char* text, char* result) {
  char key[5];
  std::memcpy(key, text, 4);  // the caller guarantees eleven characters
  key[4] = '\0';
  for (int32_t group = 0; group < tables::kMobileGroupCount; ++group) {
    // Every group is four digits (the generator checks): five bytes compared, as strcmp would.
    if (std::memcmp(key, tables::kMobileGroups[group], sizeof key) == 0) {
      CopyBlockEntry(text, group, result);
      return 1;
    }
  }
  WriteAnswer(result, tables::kUnknownAnswer);
  return 1;
}

void CopyBlockEntry(const char* text, int32_t group, char* result) {
  const int32_t block = 10 * BlockDigit(text[4]) + BlockDigit(text[5]);
  WriteAnswer(result, tables::kMobileCarrierAnswers[tables::kMobileBlockCarriers[group][block]]);
}

}  // namespace kobal
