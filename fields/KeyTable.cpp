#include "fields/KeyTable.h"

namespace kobal::fields {
namespace {

int Digit(char c) { return c - '0'; }

}  // namespace

KeySplit SplitOfEntry(uint16_t entry) {
  if (entry == 0) return {};
  const int ma = (entry >> (kEntryAreaBits + kEntryOperatorBits)) - 1;
  const int ntt = (entry >> kEntryAreaBits) & ((1 << kEntryOperatorBits) - 1);
  const int areaLength = (entry & ((1 << kEntryAreaBits) - 1)) + 2;
  return {areaLength, kChargeAreas[ma], kOperators[ntt]};
}

KeySplit SplitOfKey(const char* digits) {
  if (digits[0] != '0') return {};
  const int lead = 100 * Digit(digits[1]) + 10 * Digit(digits[2]) + Digit(digits[3]);
  const uint16_t block = kKeyLeads[lead];
  if (block == 0) return {};
  return SplitOfEntry(kKeyBlocks[block - 1][10 * Digit(digits[4]) + Digit(digits[5])]);
}

}  // namespace kobal::fields
