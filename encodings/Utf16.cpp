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

std::u16string Utf16FromUtf8(std::string_view utf8) {
  std::u16string utf16;
  utf16.reserve(utf8.size());
  const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  const auto* const end = p + utf8.size();
  while (p < end) {
    const Utf8Sequence sequence = DecodeUtf8(p, end);
    p += sequence.length;
    const char32_t c = sequence.valid ? sequence.codePoint : U'\uFFFD';
    if (c < 0x10000) {
      utf16.push_back(static_cast<char16_t>(c));
    } else {
      utf16.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      utf16.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    }
  }
  return utf16;
}

namespace {

// Returns false at a lone surrogate unless `replace`, which writes U+FFFD for it.
bool Utf8FromUtf16(std::u16string_view utf16, bool replace, std::string& utf8) {
  utf8.resize(utf16.size() * 3);
  char* out = utf8.data();
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t c = utf16[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (utf16[++i] - 0xDC00);
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      if (!replace) return false;
      c = U'\uFFFD';
    }
    out = EncodeUtf8(c, out);
  }
  utf8.resize(static_cast<std::size_t>(out - utf8.data()));
  return true;
}

}  // namespace

std::optional<std::string> Utf8FromUtf16(std::u16string_view utf16) {
  std::string utf8;
  if (!Utf8FromUtf16(utf16, false, utf8)) return std::nullopt;
  return utf8;
}

std::string Utf8FromUtf16Replacing(std::u16string_view utf16) {
  std::string utf8;
  Utf8FromUtf16(utf16, true, utf8);
  return utf8;
}

}  // namespace kobal
