// The benchmark mix, built on first use.
#include "MixData.h"

#include "NumberMix.h"

namespace kobal::bench {

const std::vector<std::string>& MixNumbers() {
  static const std::vector<std::string> numbers = MakeMix(kMixSize, kMixSeed);
  return numbers;
}

const std::vector<const char*>& MixTexts() {
  static const std::vector<const char*> texts = [] {
    std::vector<const char*> all;
    for (const std::string& number : MixNumbers()) all.push_back(number.c_str());
    return all;
  }();
  return texts;
}

}  // namespace kobal::bench
