// UTF-16 to UTF-8, a block at a time, as "Unicode text" files from Windows arrive; and whole
// texts between UTF-8 and UTF-16, as the Windows API takes them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kobal {

// The UTF-16 of `utf8`; each ill-formed sequence becomes one U+FFFD.
std::u16string Utf16FromUtf8(std::string_view utf8);

// The UTF-8 of `utf16`, or none when it is not well-formed (a lone surrogate).
std::optional<std::string> Utf8FromUtf16(std::u16string_view utf16);

// The UTF-8 of `utf16` with each lone surrogate as U+FFFD, as Windows converts its own texts.
std::string Utf8FromUtf16Replacing(std::u16string_view utf16);

class Utf16Decoder {
 public:
  explicit Utf16Decoder(bool bigEndian) : bigEndian_(bigEndian) {}

  // The most bytes Decode writes for `size` bytes of input.
  static constexpr std::size_t MaxOutput(std::size_t size) { return size / 2 * 3 + 8; }

  // Converts `size` bytes to UTF-8 at `out` and returns the end. An odd byte or a high
  // surrogate at the end waits for the next block; with `final` it becomes U+FFFD, as does
  // every unpaired surrogate.
  char* Decode(const unsigned char* in, std::size_t size, bool final, char* out);

 private:
  bool bigEndian_;
  unsigned char oddByte_ = 0;
  bool hasOddByte_ = false;
  char16_t highSurrogate_ = 0;  // 0: none waiting
};

}  // namespace kobal
