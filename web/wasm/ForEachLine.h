// The lines of a block of text as the page's batch reads them.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

// Calls `line(start, text)` for each line of the `size` bytes at `text`: a line ends at LF, a
// CR before it is dropped, and a last line without LF counts.
template <typename LineFunction>
void ForEachLine(const char* text, uint32_t size, LineFunction line) {
  for (uint32_t start = 0; start < size;) {
    const void* newline = std::memchr(text + start, '\n', size - start);
    const uint32_t end =
        newline == nullptr ? size : static_cast<uint32_t>(static_cast<const char*>(newline) - text);
    uint32_t length = end - start;
    if (length > 0 && text[end - 1] == '\r') length--;
    line(start, std::string_view(text + start, length));
    start = end + 1;
  }
}
