// One text answered as data: every row of the table of fields that every front end's tests read,
// through the one place the front ends take their values from.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "encodings/AnswerText.h"
#include "lookup/TextAnswer.h"
#include "support/FieldsTable.h"

namespace kobal::lookup {
namespace {

TEST(TextAnswer, EveryRowOfTheFieldsTable) {
  const std::vector<test::FieldsRow> rows = test::ReadFieldsTable(KOBAL_FIELDS_TABLE);
  ASSERT_GE(rows.size(), 31u);
  for (int i = 0; i < kFieldCount; ++i) {
    EXPECT_EQ(rows[0][i], FieldName(static_cast<Field>(i)));
  }
  TextAnswerer answerer;
  for (std::size_t r = 1; r < rows.size(); ++r) {
    const test::FieldsRow& row = rows[r];
    ASSERT_EQ(row.size(), static_cast<std::size_t>(kFieldCount)) << row[0];
    answerer.Answer(row[0]);
    for (int i = 0; i < kFieldCount; ++i) {
      const Field field = static_cast<Field>(i);
      EXPECT_EQ(answerer.Text(field, row[0]), row[i]) << row[0] << ": " << FieldName(field);
    }
  }
}

TEST(TextAnswer, TheResultAloneLeavesTheFieldsEmpty) {
  TextAnswerer answerer;
  const TextAnswer& described = answerer.Answer("03-3520-1234");
  EXPECT_EQ(described.fields.prefecture, "東京都");
  const TextAnswer& bare = answerer.Answer("011-201-2345", false);
  EXPECT_EQ(bare.status, AnswerStatus::kNumber);
  EXPECT_EQ(bare.number, "0112012345");
  EXPECT_EQ(answerer.Text(Field::kResult, ""), "NTT固定（北海道札幌大通）");
  // Nothing of the number before lingers.
  for (int i = static_cast<int>(Field::kFormatted); i < static_cast<int>(Field::kResult); ++i) {
    const Field field = static_cast<Field>(i);
    if (field != Field::kStatus && field != Field::kKind) {
      EXPECT_EQ(answerer.Text(field, ""), "") << FieldName(field);
    }
  }
  EXPECT_EQ(bare.fields.kind, NumberKind::kUnknown);
}

// Each answer's UTF-8 is made when it is first met and kept: hundreds of answers (fixed lines of
// every area, mobile blocks), met again in another order after the cache has grown, give each its
// own text.
TEST(TextAnswer, EveryAnswerKeepsItsOwnText) {
  TextAnswerer answerer;
  std::vector<std::string> numbers;
  const auto number = [](const char* head, int middle, const char* tail) {
    return std::string(head).append(std::to_string(middle)).append(tail);
  };
  for (int key = 10000; key < 100000; key += 13) numbers.push_back(number("0", key, "1234"));
  for (int block = 10; block < 100; ++block) numbers.push_back(number("090", block, "345678"));
  std::set<std::string> texts;
  for (int pass = 0; pass < 2; ++pass) {
    for (const std::string& text : numbers) {
      const TextAnswer& answer = answerer.Answer(text, pass == 0);
      texts.insert(AnswerUtf8(answer.result.data()));
      EXPECT_EQ(answerer.ResultText(), AnswerUtf8(answer.result.data())) << text;
      EXPECT_EQ(answerer.Text(Field::kResult, text), answerer.ResultText()) << text;
    }
    std::reverse(numbers.begin(), numbers.end());
  }
  EXPECT_GT(texts.size(), 200u);  // enough answers for the cache to have grown
}

// A caller that keeps the fields of each answer, status and split (the module's parseMany) makes
// them once and gives them to every number with the same three: they must be the fields each of
// those numbers has, worked out after the answer as with it.
TEST(TextAnswer, EqualAnswerStatusAndSplitGiveEqualFields) {
  std::vector<std::string> texts;
  for (const test::FieldsRow& row : test::ReadFieldsTable(KOBAL_FIELDS_TABLE))
    texts.push_back(row[0]);
  // Numbers of every shape, many keys of the list among them: answers shared by numbers of
  // different charge areas, holders and splits.
  std::uint32_t seed = 20000401;
  const auto random = [&seed](std::uint32_t below) {
    seed = static_cast<std::uint32_t>(seed * std::uint64_t{48271} % 0x7fffffff);
    return seed % below;
  };
  for (const std::string prefix :
       {"0", "01", "03", "06", "075", "090", "070", "0120", "04602", "1"}) {
    for (int i = 0; i < 3000; ++i) {
      std::string text = prefix;
      for (std::uint32_t n = random(13 - static_cast<std::uint32_t>(prefix.size())); n > 0; --n)
        text += static_cast<char>('0' + random(10));
      texts.push_back(text);
    }
  }
  TextAnswerer described;
  TextAnswerer later;
  std::map<std::tuple<std::uint32_t, AnswerStatus, std::uint32_t>, std::vector<std::string>> byKey;
  for (const std::string& text : texts) {
    described.Answer(text);
    later.Answer(text, false);
    const NumberSplit split = later.Split();
    const AnswerStatus status = later.Describe().status;
    std::vector<std::string> fields;
    for (int i = static_cast<int>(Field::kStatus); i < kFieldCount; ++i) {
      const Field field = static_cast<Field>(i);
      fields.emplace_back(later.Text(field, text));
      EXPECT_EQ(fields.back(), described.Text(field, text)) << text << ": " << FieldName(field);
    }
    const auto [known, added] =
        byKey.try_emplace({later.AnswerNumber(), status, WordsKey(split)}, fields);
    EXPECT_EQ(known->second, fields) << text;
  }
  // Keys to tell apart: answers with numbers of more than one split's words (不明 among them).
  std::map<std::uint32_t, int> keysOfAnswer;
  for (const auto& [key, fields] : byKey) keysOfAnswer[std::get<0>(key)]++;
  EXPECT_GE(std::count_if(keysOfAnswer.begin(), keysOfAnswer.end(),
                          [](const auto& answer) { return answer.second > 1; }),
            2);
  EXPECT_GE(keysOfAnswer[0], 10);
}

// Plain digits take a short way to the library (a copy with its NUL in a small buffer): at its
// bounds and past them they are still the number as they stand, and too long a text none.
TEST(TextAnswer, PlainDigitsOfEveryLengthAreTheNumber) {
  TextAnswerer answerer;
  for (std::size_t size = 1; size < 80; ++size) {
    const std::string digits = std::string(size - 1, '3').insert(0, 1, '0');
    const TextAnswer& answer = answerer.Answer(digits);
    EXPECT_EQ(answer.status, AnswerStatus::kNumber) << size;
    EXPECT_EQ(answer.number, digits) << size;
  }
  EXPECT_EQ(answerer.Answer("0335201234").result, answerer.Answer("03-3520-1234").result);
  EXPECT_EQ(answerer.Answer(std::string(kLongLine, '3')).status, AnswerStatus::kNotANumber);
}

TEST(TextAnswer, MissingAndRawTexts) {
  TextAnswerer answerer;
  // A number first, so that nothing of it may linger in what follows.
  EXPECT_EQ(answerer.Answer("03-3520-1234").status, AnswerStatus::kNumber);
  const TextAnswer& missing = answerer.Missing();
  EXPECT_EQ(missing.status, AnswerStatus::kMissing);
  EXPECT_EQ(answerer.Text(Field::kStatus, ""), "missing");
  EXPECT_EQ(answerer.Text(Field::kResult, ""), "不明");
  for (const Field field : {Field::kNumber, Field::kFormatted, Field::kKind, Field::kPrefecture,
                            Field::kPlace, Field::kMa, Field::kCarrier}) {
    EXPECT_EQ(answerer.Text(field, ""), "") << FieldName(field);
  }

  // Raw: the text goes to the library as it is, and a NUL in it makes no number of its start.
  TextAnswerer raw(true);
  EXPECT_EQ(raw.Answer("03-3520-1234").status, AnswerStatus::kNumber);
  EXPECT_EQ(raw.Text(Field::kResult, ""), "不明");
  EXPECT_EQ(raw.Text(Field::kKind, ""), "unknown");
  EXPECT_EQ(raw.Answer(std::string_view("117\0", 4)).status, AnswerStatus::kNotANumber);
  EXPECT_EQ(raw.Answer("117").status, AnswerStatus::kNumber);
  EXPECT_EQ(raw.Text(Field::kKind, ""), "service");
  EXPECT_EQ(raw.Text(Field::kFormatted, ""), "117");
}

// Digits skip the normaliser: each field as Answer gives it, for the texts it would not give back
// as they are (none, a country code, one too long to be a number) as for those it would.
TEST(TextAnswer, DigitsAnsweredAsAnyText) {
  const std::vector<std::string> texts = {"",
                                          "0",
                                          "117",
                                          "0335201234",
                                          "09012345678",
                                          "046021234",
                                          "0081335201234",
                                          "01081335201234",
                                          "81335201234",
                                          std::string(kLongLine - 1, '1'),
                                          std::string(kLongLine, '0')};
  for (const bool raw : {false, true}) {
    TextAnswerer byText(raw);
    TextAnswerer byDigits(raw);
    for (const std::string& text : texts) {
      const std::string shown = text.substr(0, 20) + (raw ? " (raw)" : "");
      EXPECT_EQ(byDigits.AnswerDigits(text).status, byText.Answer(text).status) << shown;
      for (int i = 0; i < kFieldCount; ++i) {
        const Field field = static_cast<Field>(i);
        EXPECT_EQ(byDigits.Text(field, text), byText.Text(field, text))
            << shown << ": " << FieldName(field);
      }
    }
  }
}

}  // namespace
}  // namespace kobal::lookup
