// The one rule for what goes to the library, from the table every front end's tests read.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "encodings/AnswerText.h"
#include "lookup/LibraryAnswer.h"
#include "lookup/lines/LineClassifier.h"

namespace kobal::lookup {
namespace {

struct Row {
  std::string input, asItStands, asWritten;
};

std::string Unescaped(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char c = text[++i];
    out += c == '0' ? '\0' : c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c;
  }
  return out;
}

std::vector<Row> Table() {
  std::ifstream file(KOBAL_NUMBERS_ASKED);
  std::vector<Row> rows;
  for (std::string line; std::getline(file, line);) {
    if (line.starts_with('#')) continue;
    const std::size_t first = line.find('\t');
    const std::size_t second = line.find('\t', first + 1);
    rows.push_back({Unescaped(line.substr(0, first)), line.substr(first + 1, second - first - 1),
                    line.substr(second + 1)});
  }
  return rows;
}

TEST(NumbersAsked, EveryRowAsItStandsAndAsWritten) {
  const std::vector<Row> rows = Table();
  ASSERT_GE(rows.size(), 20u);
  LineClassifier classifier;
  for (const Row& row : rows) {
    SCOPED_TRACE("input: " + row.input);
    AnswerBuffer answer;
    AskAsItStands(row.input, answer);  // std::string: a NUL follows
    EXPECT_EQ(AnswerUtf8(answer.data()), row.asItStands);
    EXPECT_EQ(AnswerUtf8(classifier.AnswerText(classifier.Classify(row.input, true))),
              row.asItStands);
    EXPECT_EQ(AnswerUtf8(classifier.AnswerText(classifier.Classify(row.input))), row.asWritten);
  }
}

// A line of 64 KiB or more is no number for any front end, as the line stream answers it in
// pieces; one byte less is still read as the number it is written as.
TEST(NumbersAsked, LongLinesAreNoNumber) {
  const auto padded = [](std::size_t size) {
    std::string line = "011";
    line.append(size - 10, ' ');
    return line + "2012345";
  };
  std::string digits;
  const std::string below = padded(kLongLine - 1);
  ASSERT_TRUE(NumberToAsk(below, below, false, digits));
  EXPECT_EQ(digits, "0112012345");
  const std::string long_line = padded(kLongLine);
  EXPECT_FALSE(NumberToAsk(long_line, long_line, false, digits));
  EXPECT_FALSE(NumberToAsk(long_line, long_line, true, digits));
  LineClassifier classifier;
  EXPECT_EQ(AnswerUtf8(classifier.AnswerText(classifier.Classify(long_line))), "不明");
}

}  // namespace
}  // namespace kobal::lookup
