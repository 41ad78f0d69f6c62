// Code page 932 conversions: a lead and trail table one way, a sorted search the other.
#include "encodings/Cp932.h"

#include <algorithm>

#include "encodings/Cp932Tables.h"
#include "encodings/Utf8.h"

namespace kobal {
namespace {

// The row of a lead byte in the double-byte table, or -1 for a byte that leads nothing.
int LeadRow(unsigned char b) {
  if (b >= 0x81 && b <= 0x9F) return b - 0x81;
  if (b >= 0xE0 && b <= 0xFC) return b - 0xE0 + 31;
  return -1;
}

}  // namespace

std::size_t AppendCp932AsUtf8(std::string_view bytes, bool final, std::string& utf8) {
  const auto* const begin = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* const end = begin + bytes.size();
  const std::size_t start = utf8.size();
  utf8.resize(start + 3 * bytes.size());  // no character takes more than 3 bytes per byte
  char* out = utf8.data() + start;
  const unsigned char* p = begin;
  while (p < end) {
    const unsigned char b = *p;
    if (b < 0x80) {
      *out++ = static_cast<char>(b);
      ++p;
    } else if (b >= 0xA1 && b <= 0xDF) {
      out = EncodeUtf8(U'\uFF61' + (b - 0xA1), out);  // half-width katakana
      ++p;
    } else if (const int row = LeadRow(b); row >= 0) {
      if (p + 1 == end && !final) break;
      const unsigned char trail = p + 1 < end ? p[1] : 0;
      const char16_t c =
          trail >= 0x40 && trail <= 0xFC ? kCp932DoubleBytes[row][trail - 0x40] : u'\0';
      out = EncodeUtf8(c != 0 ? c : U'\uFFFD', out);
      p += c != 0 ? 2 : 1;  // a bad trail byte is read again as a character of its own
    } else {
      out = EncodeUtf8(U'\uFFFD', out);
      ++p;
    }
  }
  utf8.resize(static_cast<std::size_t>(out - utf8.data()));
  return static_cast<std::size_t>(p - begin);
}

char* WriteCp932(char32_t codePoint, char* out) {
  if (codePoint < 0x80) {
    *out++ = static_cast<char>(codePoint);
    return out;
  }
  const Cp932Code* const end = kCp932FromUnicode + kCp932FromUnicodeCount;
  const Cp932Code* const found =
      std::lower_bound(kCp932FromUnicode, end, codePoint,
                       [](const Cp932Code& code, char32_t c) { return code.codePoint < c; });
  if (found == end || found->codePoint != codePoint) {
    *out++ = '?';
  } else if (found->bytes > 0xFF) {
    *out++ = static_cast<char>(found->bytes >> 8);
    *out++ = static_cast<char>(found->bytes & 0xFF);
  } else {
    *out++ = static_cast<char>(found->bytes);
  }
  return out;
}

}  // namespace kobal
