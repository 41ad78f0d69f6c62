// UTF-8 written in any of the encodings: records written back in their file's encoding, the
// page's CSV in code page 932.
#pragma once

#include <string>
#include <string_view>

#include "encodings/TextEncoding.h"

namespace kobal {

// Appends UTF-8 `text` in `encoding`: '?' for what Shift-JIS cannot hold and for bytes that are
// not UTF-8 there, U+FFFD for such bytes in UTF-16; UTF-8 as it is.
void AppendEncoded(std::string_view text, TextEncoding encoding, std::string& out);

}  // namespace kobal
