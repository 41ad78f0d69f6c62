// The exported entry point: dispatch by length and leading characters.
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "KobalInternal.h"
#include "kobal/KobalFnc.h"

namespace kobal {
namespace {

// Copies the first N - 1 characters (fewer if the text is shorter) and NUL-fills the rest,
// so that comparing the whole scratch string tests "begins with" and fails for short texts.
// Most numbers are longer than the prefix: one fixed-size copy.
template <std::size_t N>
void CopyPrefix(char (&scratch)[N], const char* text, std::size_t length) {
  if (length >= N - 1) {
    std::memcpy(scratch, text, N - 1);
  } else {
    std::memcpy(scratch, text, length);
    std::memset(scratch + length, '\0', N - 1 - length);
  }
  scratch[N - 1] = '\0';
}

// A shorter prefix out of a longer one: the same bytes as copying it from the text, since the
// longer one is NUL-filled alike.
template <std::size_t N, std::size_t M>
void CutPrefix(char (&shorter)[N], const char (&longer)[M]) {
  static_assert(N <= M);
  if constexpr (N == sizeof(std::uint32_t)) {
    // Made in a register and stored at once: the compare that reads it back whole is then
    // served from that one store, where across several smaller ones it would wait for them
    // all to reach the cache.
    std::uint32_t word;
    std::memcpy(&word, longer, sizeof word);
    word &= std::endian::native == std::endian::little ? 0x00FFFFFFu : 0xFFFFFF00u;
    std::memcpy(shorter, &word, sizeof word);
  } else {
    std::memcpy(shorter, longer, N - 1);
    shorter[N - 1] = '\0';
  }
}

// The whole scratch string against a literal of the same size, its NUL included: a fixed-size
// compare of the same bytes that strcmp would look at.
template <std::size_t N, std::size_t M>
bool Equals(const char (&scratch)[N], const char (&literal)[M]) {
  static_assert(M <= N);
  return std::memcmp(scratch, literal, M) == 0;
}

}  // namespace

}  // namespace kobal

extern "C" KOBAL_API int32_t DetectCarrier(const char* text, char* result) {
  using namespace kobal;
  if (result == nullptr) return 1;  // nowhere to answer
  if (text == nullptr) text = "";   // no number is the empty number

  const std::size_t length = std::strlen(text);
  char first[2], three[4], four[5], five[6];
  CopyPrefix(five, text, length);
  CutPrefix(four, five);
  CutPrefix(three, five);
  CutPrefix(first, five);

  if (length == 3) {
    DetectServiceNumber(std::atoi(three), result);
    return 1;
  }
  if (length == 9) {
    for (int32_t row = 0; row < tables::kNineDigitCount; ++row) {
      // Every prefix is five digits (the generator checks): six bytes hold the same as strcmp.
      if (std::memcmp(five, tables::kNineDigit[row].prefix, sizeof five) == 0) {
        WriteAnswer(result, tables::kNineDigit[row].text,
                    static_cast<std::size_t>(tables::kNineDigit[row].size));
        return 1;
      }
    }
    WriteAnswer(result, tables::kUnknownAnswer);
    return 1;
  }
  if (!Equals(first, "0") || length > 11 || length < 10) {
    WriteAnswer(result, tables::kUnknownAnswer);
    return 1;
  }
  if ((Equals(three, "070") || Equals(three, "090")) && length == 11) {
    DetectMobileCarrier(text, result);
  } else if (Equals(four, "0990") && length == 10) {
    WriteAnswer(result, tables::kDialQ2Answer);
  } else if (Equals(four, "0120") && length == 10) {
    WriteAnswer(result, tables::kFreeDialAnswer);
  } else if (Equals(four, "0800") && length == 11) {
    WriteAnswer(result, tables::kFreeDialAnswer);
  } else {
    DetectFixedLine(text, result);
  }
  return 1;
}
