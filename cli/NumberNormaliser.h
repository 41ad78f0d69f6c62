// Turns a telephone number as people write it into the plain digits the library expects.
#pragma once

#include <string>
#include <string_view>

namespace kobal::cli {

// Writes into `number` the text of `written` with hyphens, spaces, dots and parentheses
// (ASCII and full-width forms) removed, full-width digits made ASCII, and the international
// forms "+81 3 ..." and "81-3-..." turned into the domestic "03...". Anything else, invalid
// UTF-8 included, is kept byte for byte so that the library can reject it. `number` is
// cleared first; its capacity is reused from call to call.
void NormaliseNumber(std::string_view written, std::string& number);

}  // namespace kobal::cli
