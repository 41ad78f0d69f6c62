// Conversions between the wide (UTF-16) text of the Windows API and the program's 8-bit texts:
// the library's Shift-JIS answers, the shared UTF-8 texts, and the number's Shift-JIS digits.
#pragma once

#include <string>
#include <string_view>

namespace kobal::win32 {

// Code page 932 explicitly, not the system's ANSI code page: Japanese shows right on every
// Windows, whatever its language.
std::wstring WideFromShiftJis(std::string_view text);
std::string ShiftJisFromWide(std::wstring_view text);

std::wstring WideFromUtf8(std::string_view text);

// Empty when `text` is not well-formed UTF-16 (a lone surrogate).
std::string Utf8FromWide(std::wstring_view text);

}  // namespace kobal::win32
