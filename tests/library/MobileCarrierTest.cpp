// The 070/090 number blocks: the grid's corners and edges, its empty entries, the other groups.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "support/CheckedDetect.h"
#include "support/ShiftJis.h"

namespace kobal::test {
namespace {

const char* const kGroups[] = {"0705", "0706", "0901", "0902", "0903",
                               "0904", "0907", "0908", "0909"};

// The answer for a group and a block index 00 to 99; the last five digits vary to show
// that only the first six count.
std::string Block(const std::string& group, int block, const char* tail = "12345") {
  const std::string digits{static_cast<char>('0' + block / 10),
                           static_cast<char>('0' + block % 10)};
  return ToUtf8(Detect(group + digits + tail));
}

TEST(MobileCarrier, HowOftenEachTextStandsInTheGrid) {
  // clang-format off
  const std::map<std::string, int> expected = {
      {"NTTドコモ北海道", 17}, {"NTTドコモ東北", 26}, {"NTTドコモ中央", 186},
      {"NTTドコモ北陸", 11}, {"NTTドコモ東海", 45}, {"NTTドコモ関西", 64},
      {"NTTドコモ中国", 26}, {"NTTドコモ四国", 18}, {"NTTドコモ九州", 42},
      {"DDIポケット北海道", 3}, {"DDIポケット東北", 7}, {"DDIポケット東京", 33},
      {"DDIポケット北陸", 3}, {"DDIポケット東海", 6}, {"DDIポケット関西", 8},
      {"DDIポケット中国", 5}, {"DDIポケット四国", 2}, {"DDIポケット九州", 7},
      {"アステル北海道", 1}, {"アステル東北", 3}, {"アステル中部", 3},
      {"アステル北陸", 1}, {"アステル関西", 6}, {"アステル中国", 2},
      {"アステル四国", 2}, {"アステル九州", 5}, {"アステル沖縄", 1},
      {"東京通信ネットワーク", 11}, {"J-PHONE北海道", 5}, {"J-PHONE東北", 9},
      {"J-PHONE東京", 29}, {"J-PHONE北陸", 5}, {"J-PHONE東海", 23},
      {"J-PHONE関西", 18}, {"J-PHONE中国", 8}, {"J-PHONE四国", 4},
      {"J-PHONE九州", 11}, {"北海道セルラー", 8}, {"東北セルラー", 10},
      {"北陸セルラー", 6}, {"関西セルラー", 28}, {"中国セルラー", 11},
      {"四国セルラー", 5}, {"九州セルラー", 15}, {"沖縄セルラー", 5},
      {"IDO", 59}, {"ツーカーセルラー東京", 19}, {"ツーカーセルラー東海", 11},
      {"ツーカーホン関西", 15}, {"データなし", 37}, {"", 15},
  };
  // clang-format on
  std::map<std::string, int> counted;
  for (const char* group : kGroups) {
    for (int block = 0; block < 100; ++block) ++counted[Block(group, block)];
  }
  EXPECT_EQ(counted, expected);
}

TEST(MobileCarrier, CornersOfEachGroup) {
  struct Corners {
    const char* group;
    const char* at00;
    const char* at09;
    const char* at90;
    const char* at99;
  };
  const Corners corners[] = {
      {"0705", "東京通信ネットワーク", "DDIポケット東北", "アステル九州", "東京通信ネットワーク"},
      {"0706", "データなし", "データなし", "データなし", "DDIポケット東京"},
      {"0901", "NTTドコモ四国", "NTTドコモ東海", "関西セルラー", "NTTドコモ中央"},
      {"0902", "中国セルラー", "北陸セルラー", "ツーカーセルラー東京", "J-PHONE東北"},
      {"0903", "NTTドコモ中央", "NTTドコモ中央", "J-PHONE東京", "関西セルラー"},
      {"0904", "NTTドコモ中央", "NTTドコモ中央", "NTTドコモ関西", "NTTドコモ九州"},
      {"0907", "NTTドコモ中央", "NTTドコモ関西", "NTTドコモ中央", "NTTドコモ中国"},
      {"0908", "NTTドコモ中央", "J-PHONE北陸", "NTTドコモ北海道", "NTTドコモ中国"},
      {"0909", "NTTドコモ中央", "NTTドコモ関西", "J-PHONE東海", "J-PHONE関西"},
  };
  for (const Corners& c : corners) {
    EXPECT_EQ(Block(c.group, 0), c.at00) << c.group;
    EXPECT_EQ(Block(c.group, 9), c.at09) << c.group;
    EXPECT_EQ(Block(c.group, 90), c.at90) << c.group;
    EXPECT_EQ(Block(c.group, 99), c.at99) << c.group;
  }
}

TEST(MobileCarrier, WholeRowsAndEmptyEntries) {
  for (int sixth = 0; sixth < 10; ++sixth) {
    EXPECT_EQ(Block("0903", 50 + sixth), "IDO");
    EXPECT_EQ(Block("0706", sixth), "データなし");
  }
  for (const int block : {45, 46, 47, 58, 79, 85, 86, 89, 91, 92, 93, 95}) {
    EXPECT_EQ(Block("0907", block), "") << block;
  }
  for (const int block : {26, 48, 49}) EXPECT_EQ(Block("0909", block), "") << block;
  EXPECT_EQ(Block("0907", 44), "NTTドコモ九州");
  EXPECT_EQ(Block("0907", 48), "NTTドコモ関西");
}

TEST(MobileCarrier, OnlyTheFirstSixCharactersCount) {
  EXPECT_EQ(Block("0901", 20, "00000"), "ツーカーセルラー東京");
  EXPECT_EQ(Block("0901", 20, "99999"), "ツーカーセルラー東京");
  EXPECT_EQ(Detect("09012099999").size(), 20u);
  // A non-digit in the fifth or sixth place counts as 0.
  EXPECT_EQ(ToUtf8(Detect("0705ab12345")), "東京通信ネットワーク");
  EXPECT_EQ(ToUtf8(Detect("07059-12345")), "アステル九州");
  EXPECT_EQ(ToUtf8(Detect("0909+912345")), "NTTドコモ関西");
}

TEST(MobileCarrier, GroupsWithoutATableAreUnknown) {
  for (const char* group : {"0700", "0701", "0702", "0703", "0704", "0707", "0708", "0709", "0900",
                            "0905", "0906", "070a", "090 "}) {
    EXPECT_EQ(Block(group, 0), "不明") << group;
    EXPECT_EQ(Block(group, 99), "不明") << group;
  }
}

}  // namespace
}  // namespace kobal::test
