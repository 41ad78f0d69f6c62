// Normalisation of written numbers: separators out, full-width digits in, country code off.
#include "NumberNormaliser.h"

#include <cstdint>

#include "Utf8.h"

namespace kobal {
namespace {

enum class CharClass : std::uint8_t { kKeep, kDigit, kSeparator, kHyphen, kPlus };

CharClass ClassifyAscii(unsigned char c) {
  if (c >= '0' && c <= '9') return CharClass::kDigit;
  switch (c) {
    case '-':
      return CharClass::kHyphen;
    case ' ':
    case '\t':
    case '.':
    case '(':
    case ')':
      return CharClass::kSeparator;
    case '+':
      return CharClass::kPlus;
    default:
      return CharClass::kKeep;
  }
}

CharClass ClassifyWide(char32_t c) {
  if (c >= U'\uFF10' && c <= U'\uFF19') return CharClass::kDigit;   // full-width 0..9
  if (c >= U'\u2010' && c <= U'\u2015') return CharClass::kHyphen;  // hyphen .. horizontal bar
  switch (c) {
    case U'\u2212':  // minus sign
    case U'\u30FC':  // prolonged sound mark, typed for "-" in kana input
    case U'\uFF0D':  // full-width hyphen-minus
    case U'\uFF70':  // half-width prolonged sound mark
      return CharClass::kHyphen;
    case U'\u00A0':  // no-break space, common in copied web pages
    case U'\u200B':  // zero-width space
    case U'\u3000':  // ideographic space
    case U'\uFEFF':  // byte order mark at the start of exported files
    case U'\uFF0E':  // full-width full stop
    case U'\uFF08':  // full-width parentheses
    case U'\uFF09':
      return CharClass::kSeparator;
    case U'\uFF0B':  // full-width plus
      return CharClass::kPlus;
    default:
      return CharClass::kKeep;
  }
}

// Replaces a leading country code of `length` characters by the domestic trunk prefix "0";
// a "0" already written after it, as in "+81 (0)3", is that prefix.
void DropCountryCode(std::string& number, std::size_t length) {
  const bool trunkWritten = number.size() > length && number[length] == '0';
  number.erase(0, trunkWritten ? length : length - 1);
  if (!trunkWritten) number[0] = '0';
}

}  // namespace

bool NormaliseNumber(std::string_view written, std::string& number) {
  // Nothing is ever longer than what it was written as, so the output fits the input's size.
  number.resize(written.size());
  char* const first = number.data();
  char* out = first;
  const auto* p = reinterpret_cast<const unsigned char*>(written.data());
  const auto* const end = p + written.size();
  bool removedInside = false;  // a separator was removed after the first kept character
  bool hyphenAfter81 = false;  // "81" followed at once by a hyphen: the "81-3-..." form
  while (p < end) {
    if (*p >= '0' && *p <= '9') {  // the common case first
      *out++ = static_cast<char>(*p++);
      continue;
    }
    CharClass kind;
    std::size_t length = 1;
    char digit = 0;
    if (*p < 0x80) {
      kind = ClassifyAscii(*p);
    } else {
      const Utf8Sequence sequence = DecodeUtf8(p, end);
      length = sequence.length;
      kind = sequence.valid ? ClassifyWide(sequence.codePoint) : CharClass::kKeep;
      if (kind == CharClass::kDigit) {
        digit = static_cast<char>('0' + (sequence.codePoint - U'\uFF10'));
      }
    }
    switch (kind) {
      case CharClass::kDigit:
        *out++ = digit;
        break;
      case CharClass::kPlus:
        *out++ = '+';
        break;
      case CharClass::kHyphen:
        if (out - first == 2 && first[0] == '8' && first[1] == '1' && !removedInside) {
          hyphenAfter81 = true;
        }
        [[fallthrough]];
      case CharClass::kSeparator:
        removedInside = removedInside || out != first;
        break;
      case CharClass::kKeep:
        for (std::size_t i = 0; i < length; ++i) *out++ = static_cast<char>(p[i]);
        break;
    }
    p += length;
  }
  number.resize(static_cast<std::size_t>(out - first));
  if (number.starts_with("+81")) {
    DropCountryCode(number, 3);
  } else if (hyphenAfter81) {
    DropCountryCode(number, 2);
  }
  // Whatever is left that is not a digit (letters, masks, other signs) makes it no number.
  if (number.empty()) return false;
  for (const char c : number) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace kobal
