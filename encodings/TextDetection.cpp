// Byte order marks: EF BB BF for UTF-8, FF FE and FE FF for UTF-16.
#include "encodings/TextDetection.h"

#include <algorithm>

#include "encodings/Utf8.h"

namespace kobal {
namespace {

bool IsUtf16(std::optional<TextEncoding> encoding) {
  return encoding == TextEncoding::kUtf16LittleEndian || encoding == TextEncoding::kUtf16BigEndian;
}

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

TextStart DetectEncoding(std::optional<TextEncoding> chosen, std::string_view start,
                         Detection detection) {
  if (chosen == TextEncoding::kShiftJis) return {TextEncoding::kShiftJis, 0};
  if (!IsUtf16(chosen) && start.starts_with("\xEF\xBB\xBF")) return {TextEncoding::kUtf8, 3};
  if (chosen != TextEncoding::kUtf8) {
    if (start.starts_with("\xFF\xFE")) return {TextEncoding::kUtf16LittleEndian, 2};
    if (start.starts_with("\xFE\xFF")) return {TextEncoding::kUtf16BigEndian, 2};
  }
  if (detection == Detection::kByFile && (!chosen || IsUtf16(chosen))) {
    if (const auto byZeros = Utf16ByZeros(start)) return {byZeros, 0};
  }
  if (chosen) return {chosen, 0};
  if (detection == Detection::kByLine) return {std::nullopt, 0};
  std::size_t cut = 0;
  return {IsValidUtf8(start, false, cut) ? TextEncoding::kUtf8 : TextEncoding::kShiftJis, 0};
}

}  // namespace kobal
