// The web page's batch through the core: numbered answers that are the library's own.
#include <gtest/gtest.h>

#include <string>

#include "kobal/KobalFnc.h"
#include "lookup/lines/LineClassifier.h"

namespace kobal::lookup {
namespace {

std::string LibraryAnswer(const char* digits) {
  char answer[KOBAL_RESULT_SIZE] = {};
  DetectCarrier(digits, answer);
  return answer;
}

TEST(LineClassifier, NumbersAreTheLibrarysAnswersMetInOrder) {
  LineClassifier classifier;
  const std::uint32_t tokyo = classifier.Classify("0312345678");
  const std::uint32_t mobile = classifier.Classify("09012345678");
  EXPECT_EQ(classifier.AnswerText(0), LibraryAnswer(""));  // no number, met first
  EXPECT_EQ(classifier.AnswerText(tokyo), LibraryAnswer("0312345678"));
  EXPECT_EQ(classifier.AnswerText(mobile), LibraryAnswer("09012345678"));
  EXPECT_NE(tokyo, mobile);
  EXPECT_EQ(classifier.AnswerText(std::max(tokyo, mobile) + 1), nullptr);
}

TEST(LineClassifier, WrittenFormsAreNormalisedFirst) {
  LineClassifier classifier;
  const std::uint32_t plain = classifier.Classify("0312345678");
  EXPECT_EQ(classifier.Classify("TEL: 03-1234-5678"), plain);
  EXPECT_EQ(classifier.Classify("+81 3 1234 5678"), plain);
  EXPECT_EQ(classifier.Classify("０３（１２３４）５６７８"), plain);
  // Not one number: the answer for no number, without a raw line's bytes reaching the library.
  EXPECT_EQ(classifier.Classify("XXXX-XXXX"), 0u);
  EXPECT_EQ(classifier.Classify(std::string("03\0"
                                            "12345678",
                                            11)),
            0u);
  EXPECT_EQ(classifier.Classify(""), 0u);
}

TEST(LineClassifier, RawLinesAndNumbersGoToTheLibraryAsTheyAre) {
  LineClassifier classifier;
  EXPECT_EQ(classifier.AnswerText(classifier.Classify("011-201-2345", true)),
            LibraryAnswer("011-201-2345"));
  EXPECT_NE(classifier.Classify("011-201-2345", true), classifier.Classify("011-201-2345"));
  // A NUL would end the number early in the library: no number, as in kobal-lookup --raw.
  const std::string withNul(
      "117\0"
      "0",
      5);
  EXPECT_EQ(classifier.Classify(withNul, true), 0u);
  EXPECT_EQ(classifier.ClassifyNumber("0312345678"), classifier.Classify("0312345678"));
  EXPECT_EQ(classifier.AnswerText(classifier.ClassifyNumber("117")), LibraryAnswer("117"));
}

// A line with its NUL after it answers as any line: plain digits where they lie, everything
// else (written forms, a country code, digits too long to be a number) through the normaliser.
TEST(LineClassifier, TerminatedLinesAnswerAsAnyLine) {
  const std::string lines[] = {"0335201234",
                               "09012345678",
                               "117",
                               "",
                               "03-3520-1234",
                               "0081335201234",
                               "0044",
                               "+81 3 3520 1234",
                               "０３３５２０１２３４",
                               std::string(kLongLine - 1, '7'),
                               std::string(kLongLine, '7'),
                               std::string(kLongLine + 9, '0')};
  LineClassifier terminated;
  LineClassifier copied;
  for (const std::string& line : lines) {
    EXPECT_EQ(terminated.ClassifyTerminated(line), copied.Classify(line)) << line.substr(0, 20);
  }
}

}  // namespace
}  // namespace kobal::lookup
