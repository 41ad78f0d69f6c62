// Code page 932 character by character through its table; UTF-16 through Utf16FromUtf8.
#include "encodings/TextEncoder.h"

#include "encodings/Cp932.h"
#include "encodings/Utf16.h"
#include "encodings/Utf8.h"

namespace kobal {

void AppendEncoded(std::string_view text, TextEncoding encoding, std::string& out) {
  switch (encoding) {
    case TextEncoding::kUtf8:
      out.append(text);
      return;
    case TextEncoding::kShiftJis: {
      const auto* p = reinterpret_cast<const unsigned char*>(text.data());
      const auto* const end = p + text.size();
      char bytes[2];
      while (p < end) {
        const Utf8Sequence sequence = DecodeUtf8(p, end);
        p += sequence.length;
        out.append(bytes, WriteCp932(sequence.valid ? sequence.codePoint : U'\uFFFD', bytes));
      }
      return;
    }
    default:
      const bool bigEndian = encoding == TextEncoding::kUtf16BigEndian;
      for (const char16_t unit : Utf16FromUtf8(text)) {
        const auto high = static_cast<char>(unit >> 8);
        const auto low = static_cast<char>(unit & 0xFF);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
      }
  }
}

}  // namespace kobal
