// Whole-file detection: a record's quoted line breaks make line-by-line guessing unsafe.
#include "lookup/TextForm.h"

#include <algorithm>
#include <optional>

#include "encodings/Cp932.h"
#include "encodings/LineDecoder.h"
#include "encodings/Utf8.h"

namespace kobal::lookup {
namespace {

// UTF-16 without a byte order mark: ASCII characters (delimiters, line ends, digits) put a zero
// byte on one side of their pair, and text otherwise seldom holds one.
std::optional<TextEncoding> Utf16ByZeros(std::string_view start) {
  std::size_t zeros[2] = {0, 0};
  const std::size_t pairs = std::min(start.size(), std::size_t{4096}) / 2;
  for (std::size_t i = 0; i < pairs * 2; ++i) zeros[i % 2] += start[i] == '\0';
  if (pairs == 0) return std::nullopt;
  if (zeros[1] > pairs / 8 && zeros[1] > 4 * zeros[0]) return TextEncoding::kUtf16LittleEndian;
  if (zeros[0] > pairs / 8 && zeros[0] > 4 * zeros[1]) return TextEncoding::kUtf16BigEndian;
  return std::nullopt;
}

}  // namespace

TextForm DetectTextForm(InputEncoding chosen, std::string_view start, std::size_t& skip) {
  const StreamStart stream = ReadStreamStart(chosen, start);
  skip = stream.byteOrderMark;
  const bool mark = skip > 0;
  switch (stream.encoding) {
    case StreamEncoding::kUtf8:
      return {TextEncoding::kUtf8, mark};
    case StreamEncoding::kShiftJis:
      return {TextEncoding::kShiftJis, false};
    case StreamEncoding::kUtf16LittleEndian:
      if (!mark && chosen == InputEncoding::kUtf16) {
        if (const auto byZeros = Utf16ByZeros(start)) return {*byZeros, false};
      }
      return {TextEncoding::kUtf16LittleEndian, mark};
    case StreamEncoding::kUtf16BigEndian:
      return {TextEncoding::kUtf16BigEndian, mark};
    case StreamEncoding::kEachLine:
      break;
  }
  if (const auto byZeros = Utf16ByZeros(start)) return {*byZeros, false};
  std::size_t cut = 0;
  return {IsValidUtf8(start, false, cut) ? TextEncoding::kUtf8 : TextEncoding::kShiftJis, false};
}

TextDecoder::TextDecoder(TextEncoding encoding)
    : encoding_(encoding), utf16_(encoding == TextEncoding::kUtf16BigEndian) {}

std::string_view TextDecoder::Decode(std::string_view bytes, bool final) {
  switch (encoding_) {
    case TextEncoding::kUtf8:
      return bytes;  // a cut sequence is only ever inside a cell: the reader copies it whole
    case TextEncoding::kShiftJis: {
      carried_.append(bytes);
      text_.clear();
      const std::size_t used = AppendCp932AsUtf8(carried_, final, text_);
      carried_.erase(0, used);
      return text_;
    }
    default:
      text_.resize(Utf16Decoder::MaxOutput(bytes.size()));
      char* const end = utf16_.Decode(reinterpret_cast<const unsigned char*>(bytes.data()),
                                      bytes.size(), final, text_.data());
      text_.resize(static_cast<std::size_t>(end - text_.data()));
      return text_;
  }
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

std::string_view ByteOrderMark(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::kUtf8:
      return "\xEF\xBB\xBF";
    case TextEncoding::kUtf16LittleEndian:
      return "\xFF\xFE";
    case TextEncoding::kUtf16BigEndian:
      return "\xFE\xFF";
    default:
      return "";
  }
}

}  // namespace kobal::lookup
