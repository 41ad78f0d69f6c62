// A delimited file's encoding, settled once for the whole file (a record may span lines) and
// written back with its byte order mark.
#pragma once

#include <cstddef>
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

}  // namespace kobal::lookup
