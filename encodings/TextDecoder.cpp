// UTF-16 through Utf16Decoder, code page 932 through its table; UTF-8 passes through.
#include "encodings/TextDecoder.h"

#include <algorithm>

#include "encodings/Cp932.h"

namespace kobal {

TextDecoder::TextDecoder(TextEncoding encoding)
    : encoding_(encoding), utf16_(encoding == TextEncoding::kUtf16BigEndian) {}

std::string_view TextDecoder::Decode(std::string_view bytes, bool final) {
  switch (encoding_) {
    case TextEncoding::kUtf8:
      return bytes;
    case TextEncoding::kShiftJis: {
      carried_.append(bytes);
      text_.clear();
      const std::size_t used = AppendCp932AsUtf8(carried_, final, text_);
      carried_.erase(0, used);
      return text_;
    }
    default:
      text_.resize(Utf16Decoder::MaxOutput(bytes.size()));
      text_.resize(static_cast<std::size_t>(DecodeInto(bytes, final, text_.data()) - text_.data()));
      return text_;
  }
}

std::size_t TextDecoder::MaxOutput(std::size_t size) const {
  switch (encoding_) {
    case TextEncoding::kUtf8:
      return size;
    case TextEncoding::kShiftJis:
      return 3 * (size + 1);  // three bytes of UTF-8 a byte at most, and a lead byte carried over
    default:
      return Utf16Decoder::MaxOutput(size);
  }
}

char* TextDecoder::DecodeInto(std::string_view bytes, bool final, char* out) {
  if (encoding_ == TextEncoding::kUtf16LittleEndian || encoding_ == TextEncoding::kUtf16BigEndian) {
    return utf16_.Decode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), final,
                         out);
  }
  const std::string_view text = Decode(bytes, final);
  return std::copy(text.begin(), text.end(), out);
}

}  // namespace kobal
