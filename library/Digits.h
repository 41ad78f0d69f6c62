// ASCII digits as the lookups read them.
#pragma once

namespace kobal {

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The value of a character that IsDigit accepts.
constexpr int DigitValue(char c) { return c - '0'; }

}  // namespace kobal
