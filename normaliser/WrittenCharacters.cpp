// Character kinds: a table for ASCII, a switch for the rest after folding the full-width forms.
#include "normaliser/WrittenCharacters.h"

#include <array>

#include "encodings/Utf8.h"

namespace kobal {
namespace {

constexpr std::array<Glyph, 128> MakeAsciiGlyphs() {
  std::array<Glyph, 128> glyphs{};
  for (auto& glyph : glyphs) glyph = Glyph::kOther;
  for (char c = '0'; c <= '9'; ++c) glyphs[c] = Glyph::kDigit;
  for (char c = 'a'; c <= 'z'; ++c) glyphs[c] = glyphs[c - 'a' + 'A'] = Glyph::kLetter;
  for (const char c : {' ', '\t', '\v', '\f', '\r'}) glyphs[c] = Glyph::kSpace;
  for (const char c : {'.', '/'}) glyphs[c] = Glyph::kDot;
  for (const char c : {'(', '[', '{'}) glyphs[c] = Glyph::kOpen;
  for (const char c : {')', ']', '}'}) glyphs[c] = Glyph::kClose;
  glyphs['-'] = Glyph::kHyphen;
  glyphs['+'] = Glyph::kPlus;
  glyphs[':'] = Glyph::kColon;
  glyphs[';'] = Glyph::kSemicolon;
  return glyphs;
}

constexpr std::array<Glyph, 128> kAsciiGlyphs = MakeAsciiGlyphs();

WrittenCharacter Ascii(char32_t c, std::size_t length) {
  const Glyph glyph = kAsciiGlyphs[c];
  const char32_t code = glyph == Glyph::kLetter ? (c | 0x20) : c;  // lower case
  return {glyph, code, length};
}

Glyph ClassifyWide(char32_t c) {
  if (c >= U'\u2000' && c <= U'\u200D') return Glyph::kSpace;   // en quad .. zero-width joiner
  if (c >= U'\u2010' && c <= U'\u2015') return Glyph::kHyphen;  // hyphen .. horizontal bar
  switch (c) {
    case U'\u00AD':  // soft hyphen, invisible in copied text
    case U'\u2043':  // hyphen bullet
    case U'\u2212':  // minus sign
    case U'\u2E3A':  // two- and three-em dashes
    case U'\u2E3B':
    case U'\u30FC':  // prolonged sound mark, typed for "-" in kana input
    case U'\uFE58':  // small em dash
    case U'\uFE63':  // small hyphen-minus
    case U'\uFF70':  // half-width prolonged sound mark
      return Glyph::kHyphen;
    case U'\u00A0':  // no-break space, common in copied web pages
    case U'\u1680':
    case U'\u202F':  // narrow no-break space
    case U'\u205F':
    case U'\u2060':  // word joiner
    case U'\u3000':  // ideographic space
    case U'\uFE0E':  // variation selectors, as after ☎
    case U'\uFE0F':
    case U'\uFEFF':  // byte order mark at the start of exported files
      return Glyph::kSpace;
    case U'\u00B7':  // middle dot
    case U'\u2027':  // hyphenation point
    case U'\u3002':  // ideographic full stop
    case U'\u30FB':  // katakana middle dot
    case U'\uFF61':  // half-width ideographic full stop
    case U'\uFF65':  // half-width katakana middle dot
      return Glyph::kDot;
    case U'\u3010':  // 【 〔 〖
    case U'\u3014':
    case U'\u3016':
      return Glyph::kOpen;
    case U'\u3011':
    case U'\u3015':
    case U'\u3017':
      return Glyph::kClose;
    default:
      return Glyph::kOther;
  }
}

}  // namespace

WrittenCharacter ReadCharacter(const unsigned char* p, const unsigned char* end) {
  if (*p < 0x80) return Ascii(*p, 1);
  const Utf8Sequence sequence = DecodeUtf8(p, end);
  if (!sequence.valid) return {Glyph::kBroken, 0, sequence.length};
  const char32_t c = sequence.codePoint;
  if (c >= U'\uFF01' && c <= U'\uFF5E') return Ascii(c - 0xFEE0, sequence.length);  // full width
  return {ClassifyWide(c), c, sequence.length};
}

}  // namespace kobal
