// The exported entry point: dispatch by length and leading characters.
#include <cstdlib>
#include <cstring>

#include "KobalInternal.h"
#include "kobal/KobalFnc.h"

namespace kobal {
namespace {

// Copies the first `count` characters (fewer if the text is shorter) and NUL-fills the rest,
// so that comparing the whole scratch string tests "begins with" and fails for short texts.
template <std::size_t N>
void CopyPrefix(char (&scratch)[N], const char* text) {
  std::strncpy(scratch, text, N - 1);
  scratch[N - 1] = '\0';
}

bool Equals(const char* scratch, const char* literal) { return std::strcmp(scratch, literal) == 0; }

}  // namespace

void WriteText(char* result, const char* text) { std::memcpy(result, text, std::strlen(text) + 1); }

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
      if (Equals(five, tables::kNineDigit[row].prefix)) {
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
