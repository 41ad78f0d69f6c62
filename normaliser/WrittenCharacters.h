// The characters of written numbers, sorted into the few kinds the normaliser's rules tell apart.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kobal {

enum class Glyph : std::uint8_t {
  kDigit,      // 0-9 and the full-width ０-９; `code` is the ASCII digit
  kSpace,      // spaces of every width, zero-width spaces, the byte order mark
  kHyphen,     // hyphens, dashes, minus signs and the long-vowel marks typed for "-"
  kDot,        // full stops, middle dots and slashes between the groups
  kPlus,       // + and ＋
  kOpen,       // ( [ { （ ［ ｛ 【 〔 〖
  kClose,      // the matching closing brackets
  kColon,      // : and ：
  kSemicolon,  // ; which starts the parameters of a tel: URI
  kLetter,     // a Latin letter, any width; `code` is its ASCII lower case
  kOther,      // any other character; `code` is its code point
  kBroken,     // bytes that are not UTF-8
};

struct WrittenCharacter {
  Glyph glyph;
  char32_t code;       // full-width forms of ASCII are folded to ASCII
  std::size_t length;  // bytes it takes in the text
};

// The character that starts at `p` (p < end).
WrittenCharacter ReadCharacter(const unsigned char* p, const unsigned char* end);

}  // namespace kobal
