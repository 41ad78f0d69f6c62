// The fixed mix of benchmark numbers, made once and shared by every benchmark that walks it.
#pragma once

#include <string>
#include <vector>

namespace kobal::bench {

const std::vector<std::string>& MixNumbers();  // kMixSize numbers from kMixSeed
const std::vector<const char*>& MixTexts();    // the same, as C strings

}  // namespace kobal::bench
