// Turns a telephone number as people write it into the plain digits the library expects.
// Shared by every front end: kobal-lookup, the window's paste and the web edition.
#pragma once

#include <string>
#include <string_view>

namespace kobal {

// Writes into `number` the digits of the number written in `written` (UTF-8) and returns true;
// returns false when the text is not one number, and `number` then holds nothing to rely on.
// Hyphens, spaces, dots and parentheses (ASCII and full-width forms) are removed, full-width
// digits made ASCII, and the international forms "+81 3 ..." and "81-3-..." turned into the
// domestic "03...". `number` is cleared first; its capacity is reused from call to call, and
// it never grows longer than `written`.
bool NormaliseNumber(std::string_view written, std::string& number);

}  // namespace kobal
