// Test helper: the fields of a number as the library answers it.
#pragma once

#include <string>

#include "fields/NumberFields.h"
#include "support/CheckedDetect.h"

namespace kobal::test {

// The library's answer to `digits`, and the fields of both. The answer outlives the fields'
// views, which point into constant data only.
inline NumberFields Describe(const std::string& digits) {
  return DescribeNumber(digits, Detect(digits));
}

}  // namespace kobal::test
