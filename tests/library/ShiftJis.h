// Test helpers: Shift-JIS (code page 932) conversions and a checked call of DetectCarrier.
#pragma once

#include <string>

namespace kobal::test {

// The code page 932 bytes of a UTF-8 text, so that expectations can be written readably.
std::string ToShiftJis(const std::string& utf8);

// The UTF-8 form of code page 932 bytes; an invalid byte sequence fails the current test.
std::string ToUtf8(const std::string& shiftJis);

// Calls DetectCarrier on `text` with a sentinel-filled buffer, checks the buffer contract
// (returns 1, NUL within the result size, nothing written past that NUL) and returns the result.
std::string Detect(const std::string& text);

}  // namespace kobal::test
