// UTF-16 decoding with the state of a split unit or surrogate pair kept between blocks.
#include "encodings/Utf16.h"

#include "encodings/Utf8.h"

namespace kobal {

char* Utf16Decoder::Decode(const unsigned char* in, std::size_t size, bool final, char* out) {
  const unsigned char* const end = in + size;
  for (;;) {
    unsigned char pair[2];
    if (hasOddByte_ && in < end) {
      pair[0] = oddByte_;
      pair[1] = *in++;
      hasOddByte_ = false;
    } else if (!hasOddByte_ && end - in >= 2) {
      pair[0] = in[0];
      pair[1] = in[1];
      in += 2;
    } else {
      break;
    }
    const auto unit =
        static_cast<char16_t>(bigEndian_ ? pair[0] << 8 | pair[1] : pair[1] << 8 | pair[0]);
    if (highSurrogate_ != 0) {
      if (unit >= 0xDC00 && unit <= 0xDFFF) {
        const char32_t c = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (unit - 0xDC00);
        highSurrogate_ = 0;
        out = EncodeUtf8(c, out);
        continue;
      }
      highSurrogate_ = 0;
      out = EncodeUtf8(U'\uFFFD', out);
    }
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      highSurrogate_ = unit;
    } else {
      out = EncodeUtf8(unit >= 0xDC00 && unit <= 0xDFFF ? U'\uFFFD' : char32_t{unit}, out);
    }
  }
  if (in < end) {  // one byte left over
    oddByte_ = *in;
    hasOddByte_ = true;
  }
  if (final && (hasOddByte_ || highSurrogate_ != 0)) {
    out = EncodeUtf8(U'\uFFFD', out);
    hasOddByte_ = false;
    highSurrogate_ = 0;
  }
  return out;
}

}  // namespace kobal
