// The exported entry point: dispatch by length and leading characters.
#include <cstdlib>
#include <cstring>

#include "KobalInternal.h"
#include "kobal/KobalFnc.h"

namespace kobal {
namespace {

// Copies the first N - 1 characters (fewer if the text is shorter) and NUL-fills the rest,
// so that comparing the whole scratch string tests "begins with" and fails for short texts.
template <std::size_t N>
void CopyPrefix(char (&scratch)[N], const char* text) {
  std::size_t i = 0;
  for (; i < N - 1 && text[i] != '\0'; ++i) scratch[i] = text[i];
  for (; i < N; ++i) scratch[i] = '\0';
}

// The whole scratch string against a literal of the same size, its NUL included: a fixed-size
// compare of the same bytes that strcmp would look at.
template <std::size_t N, std::size_t M>
bool Equals(const char (&scratch)[N], const char (&literal)[M]) {
  static_assert(M <= N);
  return std::memcmp(scratch, literal, M) == 0;
}

}  // namespace

void WriteText(char* result, const char* text) {
  CopyIntoResult(result, 0, text, std::strlen(text) + 1);
}

}  // namespace kobal

extern "C" KOBAL_API int32_t DetectCarrier(const char* text, char* result) {
  using namespace kobal;
  if (result == nullptr) return 1;  // nowhere to answer
  if (text == nullptr) text = "";   // no number is the empty number

  char first[2], three[4], four[5], five[6];
  CopyPrefix(first, text);
  CopyPrefix(three, text);
  CopyPrefix(four, text);
  CopyPrefix(five, text);
  const std::size_t length = std::strlen(text);

  if (length == 3) {
    DetectServiceNumber(std::atoi(three), result);
    return 1;
  }
  if (length == 9) {
    for (int32_t row = 0; row < tables::kNineDigitCount; ++row) {
      if (std::strcmp(five, tables::kNineDigit[row].prefix) == 0) {
        WriteText(result, tables::kNineDigit[row].text);
        return 1;
      }
    }
    WriteText(result, tables::kUnknown);
    return 1;
  }
  if (!Equals(first, "0") || length > 11 || length < 10) {
    WriteText(result, tables::kUnknown);
    return 1;
  }
  if ((Equals(three, "070") || Equals(three, "090")) && length == 11) {
    DetectMobileCarrier(text, result);
  } else if (Equals(four, "0990") && length == 10) {
    WriteText(result, tables::kDialQ2);
  } else if (Equals(four, "0120") && length == 10) {
    WriteText(result, tables::kFreeDial);
  } else if (Equals(four, "0800") && length == 11) {
    WriteText(result, tables::kFreeDial);
  } else {
    DetectFixedLine(text, result);
  }
  return 1;
}
