// The normaliser of written numbers as a C function of the WebAssembly module, beside
// DetectCarrier: JavaScript hands in UTF-8 bytes and reads back ASCII digits.
#include <cstdint>
#include <cstring>
#include <string>

#include "normaliser/NumberNormaliser.h"

namespace {

int32_t WriteDigits(bool (*normalise)(std::string_view, std::string&), std::string_view written,
                    char* number) {
  static std::string digits;  // the module runs on one thread; its capacity is reused
  if (!normalise(written, digits)) return -1;
  std::memcpy(number, digits.c_str(), digits.size() + 1);
  return static_cast<int32_t>(digits.size());
}

}  // namespace

// Writes the digits of the number written in the `size` bytes at `written`, and a NUL, into
// `number`, which must hold `size` + 1 bytes (no number is longer than what it was written
// as). Returns how many digits it wrote, or -1 when the text is not one number.
extern "C" __attribute__((visibility("default"))) int32_t KobalNormaliseNumber(const char* written,
                                                                               uint32_t size,
                                                                               char* number) {
  return WriteDigits(kobal::NormaliseNumber, std::string_view(written, size), number);
}

// The same for text pasted into a number field, which may end in a line end.
extern "C" __attribute__((visibility("default"))) int32_t KobalNormalisePastedNumber(
    const char* written, uint32_t size, char* number) {
  return WriteDigits(kobal::NormalisePastedNumber, std::string_view(written, size), number);
}
