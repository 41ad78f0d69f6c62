// A delimited file's encoding, settled once for the whole file (a record may span lines) and
// written back with its byte order mark; and records' UTF-8 written in that encoding.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "encodings/TextDetection.h"
#include "encodings/TextEncoding.h"

namespace kobal::lookup {

struct TextForm {
  TextEncoding encoding = TextEncoding::kUtf8;
  bool byteOrderMark = false;
};

// The form of a file that begins with `start` (up to kDetectionBytes of it), detected for the
// whole file (Detection::kByFile); `skip` is set to the byte order mark's size.
TextForm DetectTextForm(std::optional<TextEncoding> chosen, std::string_view start,
                        std::size_t& skip);

// Appends UTF-8 `text` in `encoding` ('?' for what Shift-JIS cannot hold, U+FFFD for bytes
// that are not UTF-8).
void AppendEncoded(std::string_view text, TextEncoding encoding, std::string& out);

}  // namespace kobal::lookup
