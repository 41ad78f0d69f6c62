// A delimited file's encoding, settled once for the whole file (a record may span lines), and
// the conversions to and from the UTF-8 its records are read in.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "encodings/InputEncoding.h"
#include "encodings/Utf16.h"

namespace kobal::lookup {

enum class TextEncoding { kUtf8, kShiftJis, kUtf16LittleEndian, kUtf16BigEndian };

struct TextForm {
  TextEncoding encoding = TextEncoding::kUtf8;
  bool byteOrderMark = false;
};

// How many bytes of a file's start DetectTextForm looks at, when the file has them.
inline constexpr std::size_t kDetectionBytes = std::size_t{1} << 16;

// The form of a file that begins with `start`; `skip` is set to the byte order mark's size.
// Auto: a byte order mark decides; else UTF-16 when zero bytes fall on one side of most
// pairs, as ASCII in UTF-16 does; else UTF-8 when `start` is valid UTF-8; else Shift-JIS.
TextForm DetectTextForm(InputEncoding chosen, std::string_view start, std::size_t& skip);

// The file's bytes to UTF-8, a chunk at a time; a character cut at a chunk's end waits for the
// next. What is not valid becomes U+FFFD, except UTF-8, whose bytes are kept as they are.
class TextDecoder {
 public:
  explicit TextDecoder(TextEncoding encoding);
  std::string_view Decode(std::string_view bytes, bool final);

 private:
  TextEncoding encoding_;
  Utf16Decoder utf16_;
  std::string carried_;
  std::string text_;
};

// Appends UTF-8 `text` in `encoding` ('?' for what Shift-JIS cannot hold, U+FFFD for bytes
// that are not UTF-8).
void AppendEncoded(std::string_view text, TextEncoding encoding, std::string& out);

// The byte order mark of `encoding`.
std::string_view ByteOrderMark(TextEncoding encoding);

}  // namespace kobal::lookup
