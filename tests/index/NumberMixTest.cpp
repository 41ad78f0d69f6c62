// The benchmark numbers are what their class claims, reproducible, and mixed in the stated shares.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "NumberMix.h"
#include "kobal/KobalFnc.h"
#include "tables/Tables.h"

namespace kobal::bench {
namespace {

std::string Answer(const std::string& number) {
  char answer[KOBAL_RESULT_SIZE];
  DetectCarrier(number.c_str(), answer);
  return answer;
}

bool IsFixedLine(const std::string& answer) { return answer.rfind(tables::kFixedLineOpen, 0) == 0; }

TEST(NumberMix, EachClassGetsItsKindOfAnswer) {
  Random random(1);
  for (int i = 0; i < 3000; ++i) {
    const std::string service = MakeNumber(NumberClass::kService, random);
    EXPECT_EQ(service.size(), 3u);
    EXPECT_NE(Answer(service), tables::kUnknown) << service;
    const std::string nine = MakeNumber(NumberClass::kNineDigit, random);
    EXPECT_EQ(nine.size(), 9u);
    EXPECT_TRUE(IsFixedLine(Answer(nine))) << nine;
    const std::string free = MakeNumber(NumberClass::kTollFree, random);
    EXPECT_EQ(Answer(free), tables::kFreeDial) << free;
    const std::string mobile = MakeNumber(NumberClass::kMobile, random);
    EXPECT_EQ(mobile.size(), 11u);
    EXPECT_TRUE(mobile.rfind("090", 0) == 0 || mobile.rfind("070", 0) == 0) << mobile;
    const std::string hit = MakeNumber(NumberClass::kFixedLineHit, random);
    EXPECT_EQ(hit.size(), 10u);
    EXPECT_TRUE(IsFixedLine(Answer(hit))) << hit;
    const std::string miss = MakeNumber(NumberClass::kFixedLineMiss, random);
    EXPECT_EQ(miss.size(), 10u);
    EXPECT_EQ(miss[0], '0');
    EXPECT_EQ(Answer(miss), tables::kUnknown) << miss;
    const std::string rejected = MakeNumber(NumberClass::kRejected, random);
    EXPECT_TRUE(rejected.size() < 9 || rejected.size() > 11 || rejected[0] != '0') << rejected;
    EXPECT_EQ(Answer(rejected), tables::kUnknown) << rejected;
  }
}

TEST(NumberMix, SameSeedSameNumbersOtherSeedOthers) {
  const std::vector<std::string> first = MakeMix(5000, kMixSeed);
  EXPECT_EQ(first, MakeMix(5000, kMixSeed));
  EXPECT_NE(first, MakeMix(5000, kMixSeed + 1));
  EXPECT_EQ(MakeMix(kMixSize, kMixSeed).size(), kMixSize);
}

TEST(NumberMix, SharesFollowTheTable) {
  const std::vector<std::string> mix = MakeMix(kMixSize, kMixSeed);
  std::size_t fixedLine = 0, mobile = 0, free = 0;
  for (const std::string& number : mix) {
    const std::string answer = Answer(number);
    if (IsFixedLine(answer)) ++fixedLine;
    if (number.size() == 11 && (number.rfind("090", 0) == 0 || number.rfind("070", 0) == 0)) {
      ++mobile;
    }
    if (answer == tables::kFreeDial) ++free;
  }
  const auto share = [&](std::size_t count) {
    return 1000.0 * static_cast<double>(count) / static_cast<double>(mix.size());
  };
  EXPECT_NEAR(share(fixedLine), kMixShares[1] + kMixShares[4], 10);  // nine-digit and hits
  EXPECT_NEAR(share(mobile), kMixShares[3], 10);
  EXPECT_NEAR(share(free), kMixShares[2], 5);
}

TEST(NumberMix, RandomStaysBelowItsBound) {
  Random random(7);
  std::vector<int> seen(10, 0);
  for (int i = 0; i < 10000; ++i) {
    const uint32_t value = random.Below(10);
    ASSERT_LT(value, 10u);
    ++seen[value];
  }
  for (const int count : seen) EXPECT_GT(count, 800);  // every value turns up
  EXPECT_EQ(random.Digits("0120", 6).size(), 10u);
}

TEST(NumberMix, HyphensAsPeopleWriteThem) {
  EXPECT_EQ(WithHyphens("0112012345"), "011-201-2345");
  EXPECT_EQ(WithHyphens("09012345678"), "090-1234-5678");
  EXPECT_EQ(WithHyphens("117"), "117");
  EXPECT_EQ(WithHyphens("046021234"), "046021234");
}

}  // namespace
}  // namespace kobal::bench
