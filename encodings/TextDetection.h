// Which encoding a text is in, from its first bytes: one rule, looked at for the whole text or
// left to each line.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "encodings/TextEncoding.h"

namespace kobal {

enum class Detection {
  // One encoding for the whole text, as a record's quoted line breaks need: without a byte
  // order mark, UTF-16 when zero bytes fall on one side of most pairs, as ASCII in UTF-16 puts
  // them; else UTF-8 when the start is valid UTF-8; else Shift-JIS.
  kByFile,
  // Without a byte order mark each line decides: UTF-8 if it is valid UTF-8, else code page 932.
  kByLine,
};

struct TextStart {
  std::optional<TextEncoding> encoding;  // none: each line decides (kByLine only)
  std::size_t byteOrderMark = 0;         // bytes to skip
};

// The bytes a byte order mark can take; `start` should hold at least that many unless the text
// is shorter, and for kByFile up to kDetectionBytes.
inline constexpr std::size_t kLongestByteOrderMark = 3;
inline constexpr std::size_t kDetectionBytes = std::size_t{1} << 16;

// The encoding of a text that begins with `start`, `chosen` by the user or (none) automatic.
// A byte order mark decides for automatic, UTF-8 and UTF-16 and is skipped; UTF-16 chosen
// without one is the chosen byte order, unless kByFile's zero bytes show the other; Shift-JIS
// never looks for one.
TextStart DetectEncoding(std::optional<TextEncoding> chosen, std::string_view start,
                         Detection detection);

}  // namespace kobal
