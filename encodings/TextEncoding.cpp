// One table of names for the command line and the page.
#include "encodings/TextEncoding.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace kobal {

std::optional<TextEncoding> TextEncodingNamed(std::string_view name) {
  std::string lowered(name);
  std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (lowered == "utf-8" || lowered == "utf8") return TextEncoding::kUtf8;
  if (lowered == "shift_jis" || lowered == "shift-jis" || lowered == "sjis" || lowered == "cp932") {
    return TextEncoding::kShiftJis;
  }
  if (lowered == "utf-16" || lowered == "utf16" || lowered == "utf-16le") {
    return TextEncoding::kUtf16LittleEndian;
  }
  if (lowered == "utf-16be") return TextEncoding::kUtf16BigEndian;
  return std::nullopt;
}

const char* TextEncodingName(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::kShiftJis:
      return "Shift-JIS";
    case TextEncoding::kUtf16LittleEndian:
      return "UTF-16LE";
    case TextEncoding::kUtf16BigEndian:
      return "UTF-16BE";
    default:
      return "UTF-8";
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

}  // namespace kobal
