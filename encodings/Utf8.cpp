// UTF-8 encoding, and decoding by the table of well-formed byte sequences (no overlongs, no
// surrogates).
#include "encodings/Utf8.h"

namespace kobal {

Utf8Sequence DecodeUtf8(const unsigned char* p, const unsigned char* end) {
  const unsigned char lead = p[0];
  if (lead < 0x80) return {lead, 1, true};

  std::size_t length = 0;
  unsigned char secondLow = 0x80;
  unsigned char secondHigh = 0xBF;
  char32_t codePoint = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    codePoint = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    codePoint = lead & 0x0Fu;
    if (lead == 0xE0) secondLow = 0xA0;   // shorter forms are overlong
    if (lead == 0xED) secondHigh = 0x9F;  // U+D800..U+DFFF are surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    codePoint = lead & 0x07u;
    if (lead == 0xF0) secondLow = 0x90;
    if (lead == 0xF4) secondHigh = 0x8F;  // nothing above U+10FFFF
  } else {
    return {0, 1, false};  // a continuation byte or a byte that never starts a sequence
  }

  for (std::size_t i = 1; i < length; ++i) {
    const unsigned char low = i == 1 ? secondLow : 0x80;
    const unsigned char high = i == 1 ? secondHigh : 0xBF;
    if (p + i >= end || p[i] < low || p[i] > high) return {0, i, false};
    codePoint = (codePoint << 6) | (p[i] & 0x3Fu);
  }
  return {codePoint, length, true};
}

char* EncodeUtf8(char32_t c, char* out) {
  if (c < 0x80) {
    *out++ = static_cast<char>(c);
  } else if (c < 0x800) {
    *out++ = static_cast<char>(0xC0 | (c >> 6));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *out++ = static_cast<char>(0xE0 | (c >> 12));
    *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *out++ = static_cast<char>(0xF0 | (c >> 18));
    *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

std::size_t Utf8CutAtEnd(std::string_view bytes) {
  const auto* const begin = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* const end = begin + bytes.size();
  for (std::size_t back = 1; back <= 3 && back <= bytes.size(); ++back) {
    const unsigned char* const lead = end - back;
    if ((*lead & 0xC0) == 0x80) continue;  // a continuation byte: look further back
    if (*lead < 0xC2 || *lead > 0xF4) return 0;
    const Utf8Sequence sequence = DecodeUtf8(lead, end);
    return !sequence.valid && lead + sequence.length == end ? back : 0;
  }
  return 0;
}

bool IsValidUtf8(std::string_view bytes, bool last, std::size_t& cut) {
  cut = last ? 0 : Utf8CutAtEnd(bytes);
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* const end = p + bytes.size() - cut;
  while (p < end) {
    if (*p < 0x80) {
      ++p;
      continue;
    }
    const Utf8Sequence sequence = DecodeUtf8(p, end);
    if (!sequence.valid) return false;
    p += sequence.length;
  }
  return true;
}

}  // namespace kobal
