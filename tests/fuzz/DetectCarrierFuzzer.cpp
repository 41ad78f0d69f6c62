// libFuzzer target: DetectCarrier keeps its buffer contract and writes Shift-JIS on any input.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "kobal/KobalFnc.h"

namespace {

constexpr unsigned char kSentinel = 0xFF;  // never a Shift-JIS byte
constexpr std::size_t kBufferSize = 64;    // room past the result size to see stray writes

void Require(bool holds, const char* what) {
  if (!holds) {
    std::fprintf(stderr, "DetectCarrier broke its contract: %s\n", what);
    std::abort();
  }
}

bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool IsTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }
bool IsSingleByte(unsigned char b) { return b <= 0x7F || (b >= 0xA1 && b <= 0xDF); }

// Code page 932: ASCII and half-width katakana alone, every other character a lead and a trail.
bool IsShiftJis(const unsigned char* text, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i) {
    if (IsLeadByte(text[i])) {
      if (++i == length || !IsTrailByte(text[i])) return false;
    } else if (!IsSingleByte(text[i])) {
      return false;
    }
  }
  return true;
}

// One call on a fresh sentinel-filled buffer; returns the result's length.
std::size_t Classify(const char* text, unsigned char (&result)[kBufferSize]) {
  std::memset(result, kSentinel, kBufferSize);
  Require(DetectCarrier(text, reinterpret_cast<char*>(result)) == 1, "did not return 1");
  const void* nul = std::memchr(result, 0, KOBAL_RESULT_SIZE);
  Require(nul != nullptr, "no NUL within the result size");
  const auto length = static_cast<std::size_t>(static_cast<const unsigned char*>(nul) - result);
  for (std::size_t i = length + 1; i < kBufferSize; ++i) {
    Require(result[i] == kSentinel, "wrote past the result's NUL");
  }
  return length;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The text up to its first NUL, in a heap block of exactly that size: AddressSanitizer
  // reports any read past the NUL.
  const std::size_t length = strnlen(reinterpret_cast<const char*>(data), size);
  const std::unique_ptr<char[]> text(new char[length + 1]);
  std::memcpy(text.get(), data, length);
  text[length] = '\0';

  unsigned char first[kBufferSize];
  unsigned char again[kBufferSize];
  const std::size_t resultLength = Classify(text.get(), first);
  Require(IsShiftJis(first, resultLength), "the result is not valid Shift-JIS");
  Require(
      Classify(text.get(), again) == resultLength && std::memcmp(first, again, resultLength) == 0,
      "a second call answered differently");
  return 0;
}
