// The answer cache through many growths: every answer keeps its own field, whatever the order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AnswerCache.h"

namespace kobal::cli {
namespace {

// "NTT固定（" in Shift-JIS and in UTF-8, then a distinct ASCII tail.
const std::string kShiftJisHead = "NTT\x8C\xC5\x92\xE8\x81\x69";
const std::string kUtf8Head = "NTT\xE5\x9B\xBA\xE5\xAE\x9A\xEF\xBC\x88";

TEST(AnswerCache, ThousandsOfDistinctAnswersSurviveEveryGrowth) {
  AnswerCache cache(OutputFormat::kTsv, OutputEncoding::kUtf8);
  std::vector<std::string> answers;
  for (int i = 0; i < 5000; ++i) answers.push_back(kShiftJisHead + std::to_string(i * 7919));
  for (const std::string& answer : answers) {
    EXPECT_EQ(cache.Field(answer), kUtf8Head + answer.substr(kShiftJisHead.size()));
  }
  for (auto it = answers.rbegin(); it != answers.rend(); ++it) {
    ASSERT_EQ(cache.Field(*it), kUtf8Head + it->substr(kShiftJisHead.size()));
  }
}

TEST(AnswerCache, ShiftJisFieldsAreTheLibraryBytes) {
  AnswerCache cache(OutputFormat::kTsv, OutputEncoding::kShiftJis);
  const std::string weather = "\x93\x56\x8B\x43\x97\x5C\x95\xF1";  // 天気予報: 0x5C trail byte
  EXPECT_EQ(cache.Field(weather), weather);
  EXPECT_EQ(cache.Field(""), "");
}

}  // namespace
}  // namespace kobal::cli
