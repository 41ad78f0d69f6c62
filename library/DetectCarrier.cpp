// The exported entry point: dispatch by length and leading characters.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "Digits.h"
#include "KobalInternal.h"
#include "kobal/KobalFnc.h"

namespace kobal {
namespace {

// Lengths up to this are told apart; every longer text is unknown, so counting stops here.
constexpr std::size_t kLengthLimit = 12;

// The length of `text`, or kLengthLimit when it is at least that long. Reads nothing after the
// NUL: the caller's string may end at the end of a page.
std::size_t BoundedLength(const char* text) {
  std::size_t length = 0;
  while (length < kLengthLimit && text[length] != '\0') ++length;
  return length;
}

// True when `text`, which the caller knows to hold at least as many characters, begins with
// `prefix`: a fixed-size compare, done in a register.
template <std::size_t N>
bool StartsWith(const char* text, const char (&prefix)[N]) {
  return std::memcmp(text, prefix, N - 1) == 0;
}

// Three characters read as atoi reads them; three digits need no library call.
int32_t ThreeCharacterValue(const char* text) {
  if (IsDigit(text[0]) && IsDigit(text[1]) && IsDigit(text[2])) {
    return 100 * DigitValue(text[0]) + 10 * DigitValue(text[1]) + DigitValue(text[2]);
  }
  return std::atoi(text);
}

void DetectNineCharacters(const char* text, char* result) {
  for (int32_t row = 0; row < tables::kNineDigitCount; ++row) {
    // Every prefix has kNineDigitPrefixLength characters (the generated tables assert it).
    const NineDigitRow& nine = tables::kNineDigit[row];
    if (std::memcmp(text, nine.prefix, tables::kNineDigitPrefixLength) == 0) {
      WriteAnswer(result, nine.answer);
      return;
    }
  }
  WriteAnswer(result, tables::kUnknownAnswer);
}

void DetectTenCharacters(const char* text, char* result) {
  if (text[0] != '0') {
    WriteAnswer(result, tables::kUnknownAnswer);
  } else if (StartsWith(text, "0990")) {
    WriteAnswer(result, tables::kDialQ2Answer);
  } else if (StartsWith(text, "0120")) {
    WriteAnswer(result, tables::kFreeDialAnswer);
  } else {
    DetectFixedLine(text, result);
  }
}

// Eleven characters are mobile or PHS blocks or toll-free 0800; no fixed line has eleven.
void DetectElevenCharacters(const char* text, char* result) {
  if (StartsWith(text, "070") || StartsWith(text, "090")) {
    DetectMobileCarrier(text, result);
  } else if (StartsWith(text, "0800")) {
    WriteAnswer(result, tables::kFreeDialAnswer);
  } else {
    WriteAnswer(result, tables::kUnknownAnswer);
  }
}

}  // namespace
}  // namespace kobal

extern "C" KOBAL_API int32_t KOBAL_CALL DetectCarrier(const char* text, char* result) {
  using namespace kobal;
  if (result == nullptr) return 1;  // nowhere to answer
  if (text == nullptr) text = "";   // no number is the empty number

  switch (BoundedLength(text)) {
    case 3:
      DetectServiceNumber(ThreeCharacterValue(text), result);
      break;
    case 9:
      DetectNineCharacters(text, result);
      break;
    case 10:
      DetectTenCharacters(text, result);
      break;
    case 11:
      DetectElevenCharacters(text, result);
      break;
    default:
      WriteAnswer(result, tables::kUnknownAnswer);
  }
  return 1;
}
