// Code page 932, Shift-JIS as Windows writes it: to and from Unicode by generated tables.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kobal {

// Appends the UTF-8 of the code page 932 `bytes` to `utf8`; every byte or pair the code page
// does not define becomes U+FFFD. Unless `final`, a lead byte at the very end is left for the
// next call. Returns the number of bytes read.
std::size_t AppendCp932AsUtf8(std::string_view bytes, bool final, std::string& utf8);

// Writes `codePoint` in code page 932 (one or two bytes), or "?" when the code page has no such
// character; returns the end.
char* WriteCp932(char32_t codePoint, char* out);

}  // namespace kobal
