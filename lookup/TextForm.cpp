// A records file's text: detected for the whole file, as a record may span lines.
#include "lookup/TextForm.h"

#include "encodings/Cp932.h"
#include "encodings/Utf8.h"

namespace kobal::lookup {

TextForm DetectTextForm(std::optional<TextEncoding> chosen, std::string_view start,
                        std::size_t& skip) {
  const TextStart detected = DetectEncoding(chosen, start, Detection::kByFile);
  skip = detected.byteOrderMark;
  return {*detected.encoding, skip > 0};
}

void AppendEncoded(std::string_view text, TextEncoding encoding, std::string& out) {
  if (encoding == TextEncoding::kUtf8) {
    out.append(text);
    return;
  }
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* const end = p + text.size();
  char bytes[4];
  while (p < end) {
    const Utf8Sequence sequence = DecodeUtf8(p, end);
    p += sequence.length;
    const char32_t codePoint = sequence.valid ? sequence.codePoint : U'\uFFFD';
    if (encoding == TextEncoding::kShiftJis) {
      out.append(bytes, WriteCp932(codePoint, bytes));
      continue;
    }
    char16_t units[2];
    std::size_t count = 1;
    if (codePoint >= 0x10000) {
      units[0] = static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10));
      units[1] = static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
      count = 2;
    } else {
      units[0] = static_cast<char16_t>(codePoint);
    }
    for (std::size_t i = 0; i < count; ++i) {
      const auto high = static_cast<char>(units[i] >> 8);
      const auto low = static_cast<char>(units[i] & 0xFF);
      if (encoding == TextEncoding::kUtf16BigEndian) {
        out += high;
        out += low;
      } else {
        out += low;
        out += high;
      }
    }
  }
}

}  // namespace kobal::lookup
