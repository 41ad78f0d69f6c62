// DetectCarrier's choice by length and leading characters, and its atoi reading of three.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "kobal/KobalFnc.h"
#include "support/CheckedDetect.h"
#include "support/ShiftJis.h"

namespace kobal::test {
namespace {

struct Case {
  std::string input;
  std::string expected;  // UTF-8
};

void ExpectAnswers(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(ToUtf8(Detect(c.input)), c.expected) << "input \"" << c.input << "\"";
  }
}

TEST(Dispatch, LengthsWithoutARuleAreUnknown) {
  ExpectAnswers({{"", "不明"},
                 {"0", "不明"},
                 {"12", "不明"},
                 {"0120", "不明"},
                 {"01201", "不明"},
                 {"011201", "不明"},
                 {"0112012", "不明"},
                 {"01120123", "不明"},
                 {"011201234567", "不明"},  // twelve characters, even beginning 0
                 {"0112012345678901234567890", "不明"}});
}

TEST(Dispatch, ThreeCharactersAreServiceNumbers) {
  ExpectAnswers({{"110", "警察への緊急通報"}, {"119", "消防・救急への緊急通報"}, {"117", "時報"}});
}

TEST(Dispatch, ThreeCharactersFollowAtoi) {
  // White space, a sign, a trailing non-digit or a leading zero never reach 100 to 181.
  ExpectAnswers({{" 99", "不明"},
                 {"+99", "不明"},
                 {"-10", "不明"},
                 {"11a", "不明"},
                 {"011", "不明"},
                 {" 11", "不明"},
                 {"abc", "不明"},
                 {"\xEF\xBC\x91", "不明"}});  // one full-width digit: three bytes
}

TEST(Dispatch, NineCharactersUseTheirFirstFive) {
  ExpectAnswers({{"046021234", "NTT固定（神奈川県箱根）"},
                 {"046071234", "NTT固定（神奈川県箱根）"},
                 {"046031234", "NTT固定（神奈川県箱根町）"},
                 {"046041234", "NTT固定（神奈川県仙石原）"},
                 {"046059999", "NTT固定（神奈川県湯本）"},
                 {"04602abcd", "NTT固定（神奈川県箱根）"},
                 {"046061234", "不明"},
                 {"031234567", "不明"},
                 {"146021234", "不明"},
                 {"0460", "不明"}});
}

TEST(Dispatch, LengthsCountBytes) {
  ExpectAnswers({{"１１０", "不明"}});  // six bytes
}

TEST(Dispatch, TenAndElevenDigitsByBeginning) {
  ExpectAnswers({{"1234567890", "不明"},
                 {"12345678901", "不明"},
                 {"09012012345", "ツーカーセルラー東京"},
                 {"07050012345", "東京通信ネットワーク"},
                 {"0901201234", "不明"},  // ten digits go to the fixed lines
                 {"0705001234", "不明"},
                 {"0990123456", "ダイヤルQ2"},
                 {"09901234567", "不明"},
                 {"0120123456", "フリーダイヤル"},
                 {"01201234567", "不明"},
                 {"08001234567", "フリーダイヤル"},
                 {"0800123456", "不明"},
                 {"0112011234", "NTT固定（北海道札幌大通）"},
                 {"0112019abc", "NTT固定（北海道札幌大通）"},
                 {"01120112345", "不明"},  // fixed lines are exactly ten digits
                 {"03-35201234", "不明"}});
}

TEST(Dispatch, NumbersEndingAtAPageEndAreReadNoFurther) {
  // Each number is laid so that its NUL is the last byte before a page that may not be read.
  const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  void* pages = mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(pages, MAP_FAILED);
  char* guard = static_cast<char*>(pages) + page;
  ASSERT_EQ(mprotect(guard, page, PROT_NONE), 0);
  const std::string longest = "090120123456789";
  for (std::size_t length = 0; length <= longest.size(); ++length) {
    for (const std::string& text : {longest.substr(0, length), std::string(length, '0'),
                                    std::string("0112012345678").substr(0, length)}) {
      char* start = guard - text.size() - 1;
      std::memcpy(start, text.c_str(), text.size() + 1);
      char result[KOBAL_RESULT_SIZE];
      EXPECT_EQ(DetectCarrier(start, result), 1);
      EXPECT_EQ(std::string(result), Detect(text)) << "input \"" << text << "\"";
    }
  }
  munmap(pages, 2 * page);
}

TEST(Dispatch, NullPointersAreHarmless) {
  char result[KOBAL_RESULT_SIZE] = {};
  EXPECT_EQ(DetectCarrier(nullptr, result), 1);
  EXPECT_EQ(ToUtf8(result), "不明");
  EXPECT_EQ(DetectCarrier("110", nullptr), 1);
}

}  // namespace
}  // namespace kobal::test
