// The library's answers as the front ends show them: its code page 932 bytes turned into UTF-8
// or UTF-16 by the project's own table, the same in the windows, Python, the web and the
// Windows console.
#pragma once

#include <string>
#include <string_view>

namespace kobal {

// The UTF-8 of `answer`, as DetectCarrier wrote it (code page 932, without its NUL).
std::string AnswerUtf8(std::string_view answer);

// The UTF-16 of `answer`, for the Windows API.
std::u16string AnswerUtf16(std::string_view answer);

}  // namespace kobal
