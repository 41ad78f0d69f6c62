// The encodings Kobal reads and writes text in, by the names its users give and see.
#pragma once

#include <optional>
#include <string_view>

namespace kobal {

enum class TextEncoding { kUtf8, kShiftJis, kUtf16LittleEndian, kUtf16BigEndian };

// The encoding `name` stands for, case ignored: utf-8 or utf8; shift_jis, shift-jis, sjis or
// cp932; utf-16, utf16 or utf-16le (little-endian, as Windows writes it); utf-16be.
std::optional<TextEncoding> TextEncodingNamed(std::string_view name);

// "UTF-8", "Shift-JIS", "UTF-16LE" or "UTF-16BE", as the page shows them.
const char* TextEncodingName(TextEncoding encoding);

// The byte order mark written at the start of a text in `encoding`; none for Shift-JIS.
std::string_view ByteOrderMark(TextEncoding encoding);

}  // namespace kobal
