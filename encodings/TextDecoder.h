// A whole stream's bytes in one encoding to UTF-8, a chunk at a time: records, kobal-lookup's
// UTF-16 lines, the page's UTF-16 lists. (Lines that each decide their own encoding go through
// LineDecoder.)
#pragma once

#include <string>
#include <string_view>

#include "encodings/TextEncoding.h"
#include "encodings/Utf16.h"

namespace kobal {

class TextDecoder {
 public:
  explicit TextDecoder(TextEncoding encoding);

  // The UTF-8 of `bytes`, valid until the next call. A character cut at the end waits for the
  // next chunk, or with `final` becomes U+FFFD, as does whatever is not valid; except in UTF-8,
  // whose bytes come back as they are (a reader keeps invalid bytes, and a cut sequence is
  // joined with its rest by whoever keeps the text).
  std::string_view Decode(std::string_view bytes, bool final);

  // The same written at `out`, which has room for MaxOutput(bytes.size()); returns the end.
  // Spares a copy to a reader that keeps its own buffer.
  char* DecodeInto(std::string_view bytes, bool final, char* out);
  std::size_t MaxOutput(std::size_t size) const;

 private:
  TextEncoding encoding_;
  Utf16Decoder utf16_;
  std::string carried_;  // a code page 932 lead byte at the end of the last chunk
  std::string text_;
};

}  // namespace kobal
