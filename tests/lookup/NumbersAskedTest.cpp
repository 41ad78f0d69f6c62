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

}  // namespace
}  // namespace kobal::lookup
