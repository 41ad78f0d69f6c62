// The answer cache through many growths: every answer keeps its own tail and number, whatever the
// order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lookup/FieldEscape.h"
#include "lookup/PaddedBuffer.h"
#include "lookup/lines/AnswerCache.h"

namespace kobal::lookup {
namespace {

// "NTT固定（" in Shift-JIS and in UTF-8, then a distinct ASCII tail.
const std::string kShiftJisHead = "NTT\x8C\xC5\x92\xE8\x81\x69";
const std::string kUtf8Head = "NTT\xE5\x9B\xBA\xE5\xAE\x9A\xEF\xBC\x88";

AnswerBuffer Buffer(const std::string& answer) {
  AnswerBuffer buffer{};
  answer.copy(buffer.data(), buffer.size() - 1);
  return buffer;
}

AnswerCache::TailMaker FieldsIn(TextEncoding encoding) {
  return [encoding](std::string_view answer) {
    return AnswerField(answer, OutputFormat::kTsv, encoding);
  };
}

TEST(AnswerCache, ThousandsOfDistinctAnswersSurviveEveryGrowth) {
  AnswerCache cache(FieldsIn(TextEncoding::kUtf8));
  std::vector<std::string> answers;
  for (int i = 0; i < 5000; ++i) answers.push_back(kShiftJisHead + std::to_string(i * 7919));
  for (const std::string& answer : answers) {
    EXPECT_EQ(cache.Tail(Buffer(answer)), kUtf8Head + answer.substr(kShiftJisHead.size()));
  }
  for (auto it = answers.rbegin(); it != answers.rend(); ++it) {
    ASSERT_EQ(cache.Tail(Buffer(*it)), kUtf8Head + it->substr(kShiftJisHead.size()));
  }
}

TEST(AnswerCache, ShiftJisFieldsAreTheLibraryBytes) {
  AnswerCache cache(FieldsIn(TextEncoding::kShiftJis));
  const std::string weather = "\x93\x56\x8B\x43\x97\x5C\x95\xF1";  // 天気予報: 0x5C trail byte
  EXPECT_EQ(cache.Tail(Buffer(weather)), weather);
  EXPECT_EQ(cache.Tail(Buffer("")), "");
}

TEST(AnswerCache, NumbersAnswersInTheOrderMetAndGivesTheirTextBack) {
  AnswerCache cache;  // numbers only, as the web's batch uses it
  std::vector<std::string> answers;
  for (int i = 0; i < 3000; ++i) answers.push_back(kShiftJisHead + std::to_string(i));
  for (std::size_t i = 0; i < answers.size(); ++i) {
    ASSERT_EQ(cache.Number(Buffer(answers[i])), i);
    ASSERT_EQ(cache.Number(Buffer(answers[i / 2])), i / 2);  // met again: the same number
  }
  for (std::uint32_t i = 0; i < answers.size(); ++i) ASSERT_EQ(cache.Text(i), answers[i]);
  EXPECT_EQ(cache.Text(static_cast<std::uint32_t>(answers.size())), nullptr);
  EXPECT_EQ(cache.Tail(Buffer(answers[7])), "");
}

// The record writer copies a tail in whole pieces: under AddressSanitizer a tail without the
// room after it fails here.
TEST(AnswerCache, TailsCanBeCopiedInWholePieces) {
  AnswerCache cache([](std::string_view answer) { return std::string(answer) + "\n"; });
  for (std::size_t length = 0; length + 1 < kAnswerRoom; ++length) {
    const std::string answer(length, 'a');
    const std::string_view tail = cache.Tail(Buffer(answer));
    PaddedBuffer copy(tail.size());
    const char* end = PaddedBuffer::CopyInPieces<64>(copy.data(), tail);
    ASSERT_EQ(std::string_view(copy.data(), end), answer + "\n");
  }
}

}  // namespace
}  // namespace kobal::lookup
