// Test helpers: conversions between UTF-8 and Shift-JIS (code page 932).
#pragma once

#include <string>

namespace kobal::test {

// The code page 932 bytes of a UTF-8 text, so that expectations can be written readably.
std::string ToShiftJis(const std::string& utf8);

// The UTF-8 form of code page 932 bytes; an invalid byte sequence fails the current test.
std::string ToUtf8(const std::string& shiftJis);

}  // namespace kobal::test
