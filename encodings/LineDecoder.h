// Lines of a stream as UTF-8: kept as they are, or decoded from code page 932.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "encodings/TextEncoding.h"

namespace kobal {

class LineDecoder {
 public:
  // None: each line is UTF-8 if it is valid UTF-8, else code page 932. UTF-16 streams reach
  // the decoder already as UTF-8.
  explicit LineDecoder(std::optional<TextEncoding> encoding) : encoding_(encoding) {}

  // The UTF-8 text of a line, or of one piece of a long line given piece by piece (`first`
  // and `last` say which); valid until the next call. In a UTF-8 line the bytes are kept as
  // they are, invalid ones included, except that a sequence cut at a piece's end waits for
  // the next piece. Per-line detection decides on a line's first piece.
  std::string_view Decode(std::string_view piece, bool first = true, bool last = true);

 private:
  std::optional<TextEncoding> encoding_;
  bool shiftJisLine_ = false;
  std::string carried_;  // bytes of a character cut at the end of the previous piece
  std::string text_;
};

}  // namespace kobal
