// The code page 932 conversion tables, generated at build time by tools/gen_cp932.py.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kobal {

// Lead bytes 0x81-0x9F and 0xE0-0xFC, trail bytes 0x40-0xFC.
inline constexpr std::size_t kCp932LeadCount = 31 + 29;
inline constexpr std::size_t kCp932TrailCount = 0xFC - 0x40 + 1;

// The character of each lead and trail pair; 0 where code page 932 defines none.
extern const char16_t kCp932DoubleBytes[kCp932LeadCount][kCp932TrailCount];

struct Cp932Code {
  char16_t codePoint;
  std::uint16_t bytes;  // one byte (half-width katakana), or lead << 8 | trail
};

// Every character outside ASCII that code page 932 can hold, sorted by code point.
extern const Cp932Code kCp932FromUnicode[];
extern const std::size_t kCp932FromUnicodeCount;

}  // namespace kobal
