// Test helper: a call of DetectCarrier that checks the buffer contract on every path.
#pragma once

#include <string>

namespace kobal::test {

// Calls DetectCarrier on `text` with a sentinel-filled buffer, checks the buffer contract
// (returns 1, NUL within the result size, nothing written past that NUL) and returns the result.
std::string Detect(const std::string& text);

}  // namespace kobal::test
