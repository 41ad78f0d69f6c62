// Escaping of one field for each output format, written straight into a reserved buffer.
#pragma once

#include <cstddef>
#include <string_view>

namespace kobal::cli {

// The most bytes any of the writers below produces for a field of `length` bytes
// (a JSON "\u00XX" or "\ufffd" escape per byte, and the quotes).
constexpr std::size_t MaxEscapedSize(std::size_t length) { return 6 * length + 2; }

// Tab-separated: "\" "\t" "\n" "\r" become backslash escapes; every other byte, invalid
// UTF-8 included, is written unchanged so that the field gives back the input's bytes.
char* WriteTsvField(std::string_view field, char* out);

// RFC 4180: quoted, with quotes doubled, when the field holds a comma, quote, CR or LF.
// With `replaceInvalid` each invalid UTF-8 sequence becomes U+FFFD, so the file decodes.
char* WriteCsvField(std::string_view field, bool replaceInvalid, char* out);

// A JSON string with its quotes: control characters and DEL as escapes, each invalid UTF-8
// sequence as "\ufffd", everything else as its UTF-8 bytes.
char* WriteJsonString(std::string_view field, char* out);

}  // namespace kobal::cli
