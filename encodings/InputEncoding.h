// Which encoding input text is in: as chosen, and as a file's first bytes settle it.
#pragma once

#include <cstddef>
#include <string_view>

namespace kobal {

enum class InputEncoding { kAuto, kUtf8, kShiftJis, kUtf16 };

// How the bytes of a stream are read once its start is known.
enum class StreamEncoding {
  kEachLine,  // no byte order mark: each line is UTF-8 if it is valid UTF-8, else code page 932
  kUtf8,
  kShiftJis,
  kUtf16LittleEndian,
  kUtf16BigEndian,
};

struct StreamStart {
  StreamEncoding encoding;
  std::size_t byteOrderMark;  // bytes to skip
};

// The bytes a byte order mark can take; `start` should hold that many unless the stream is
// shorter. A byte order mark decides for auto, UTF-8 and UTF-16 and is skipped; UTF-16 without
// one is little-endian, as Windows writes it; Shift-JIS never looks for one.
inline constexpr std::size_t kLongestByteOrderMark = 3;
StreamStart ReadStreamStart(InputEncoding chosen, std::string_view start);

}  // namespace kobal
