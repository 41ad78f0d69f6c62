// The exchange search through the generated index answers every key as a plain scan of the rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "KobalInternal.h"
#include "kobal/KobalFnc.h"
#include "support/ExchangeScan.h"

namespace kobal::test {
namespace {

// Every character a prefix list holds; keys of any other character are in no list.
constexpr char kListCharacters[] = "0123456789;";
constexpr int kSymbols = sizeof kListCharacters - 1;

// `lead`, the group digit, then `rest`.
std::string Text(const char* lead, int group, const char* rest) {
  std::string text(lead);
  text.push_back(static_cast<char>('0' + group));
  text.append(rest);
  return text;
}

// The key "0N" followed by the four list characters that `number` spells in base 11.
std::string KeyOf(int group, int number) {
  std::string key = Text("0", group, "0000");
  for (int place = 5; place >= 2; --place, number /= kSymbols) {
    key[place] = kListCharacters[number % kSymbols];
  }
  return key;
}

std::string Match(const char* text, const ExchangeRow* rows, int32_t rowCount) {
  char result[KOBAL_RESULT_SIZE];
  EXPECT_EQ(MatchExchange(text, rows, rowCount, result), 0);
  return result;
}

std::string FixedLine(const std::string& text) {
  char result[KOBAL_RESULT_SIZE];
  EXPECT_EQ(DetectFixedLine(text.c_str(), result), 1);
  return result;
}

TEST(ExchangeIndex, EveryKeyOfListCharactersAnswersAsTheScan) {
  for (int group = 0; group <= 9; ++group) {
    const ExchangeTable& table = tables::kExchangeTables[group];
    int holding = 0;
    for (int number = 0; number < tables::kExchangeIndexSize; ++number) {
      const std::string key = KeyOf(group, number);
      const std::string expected = ScannedAnswer(key.c_str(), group, table.rowCount);
      holding += expected != tables::kUnknown;
      ASSERT_EQ(FixedLine(key + "1234"), expected) << "number " << key << "1234";
      ASSERT_EQ(Match((key + "1").c_str(), table.rows, table.rowCount), expected) << key;
    }
    // A generated index that held nothing would pass the lines above for an empty table only.
    EXPECT_EQ(holding > 0, table.rowCount > 0) << "table " << group;
  }
}

TEST(ExchangeIndex, KeysAcrossASeparatorAnswerTheirRow) {
  // The first list of table 1 is ";011201;011202;...": "01;011" stands across its first ";".
  const ExchangeTable& one = tables::kExchangeTables[1];
  ASSERT_NE(std::strstr(one.rows[0].prefixList, "01;011"), nullptr);
  EXPECT_EQ(FixedLine("01;0112019"), one.rows[0].answer.text);
  EXPECT_EQ(FixedLine("0;01120199"), tables::kUnknown);  // "0;" names no group
}

TEST(ExchangeIndex, LeadingRowsOfATableAnswerAsTheirScan) {
  for (int group = 1; group <= 7; ++group) {
    const ExchangeTable& table = tables::kExchangeTables[group];
    const int32_t counts[] = {0, std::min(table.rowCount, 1), table.rowCount / 2,
                              std::max(table.rowCount - 1, 0)};
    for (const int32_t count : counts) {
      for (int number = 0; number < tables::kExchangeIndexSize; number += 7) {
        const std::string key = KeyOf(group, number);
        ASSERT_EQ(Match(key.c_str(), table.rows, count), ScannedAnswer(key.c_str(), group, count))
            << "key " << key << " in the first " << count << " rows";
      }
    }
  }
}

TEST(ExchangeIndex, OnlyTheTableOfTheKeysGroupIsKnown) {
  // Rows other than those of the key's own table, even copies of them, know no key.
  const ExchangeTable& one = tables::kExchangeTables[1];
  const std::vector<ExchangeRow> copy(one.rows, one.rows + one.rowCount);
  const std::string key = "0112019999";
  ASSERT_NE(Match(key.c_str(), one.rows, one.rowCount), tables::kUnknown);
  EXPECT_EQ(Match(key.c_str(), copy.data(), one.rowCount), tables::kUnknown);
  EXPECT_EQ(Match(key.c_str(), tables::kExchangeTables[2].rows, one.rowCount), tables::kUnknown);
  EXPECT_EQ(Match(key.c_str(), nullptr, 0), tables::kUnknown);
}

TEST(ExchangeIndex, KeysWithOtherCharactersAnswerUnknown) {
  for (int group = 1; group <= 7; ++group) {
    const ExchangeTable& table = tables::kExchangeTables[group];
    for (const char* tail : {"120x", "12 1", "+201", "1\37701", "\201201"}) {
      const std::string text = Text("0", group, tail).append("9999");
      EXPECT_EQ(Match(text.c_str(), table.rows, table.rowCount), tables::kUnknown) << text;
    }
    // Where atoi would skip a blank or a sign, the key still holds it.
    for (const char* lead : {" ", "+"}) {
      const std::string text = Text(lead, group, "12011234");
      EXPECT_EQ(FixedLine(text), tables::kUnknown) << text;
    }
  }
}

TEST(ExchangeIndex, IrregularEntriesAnswerByTheirFirstSixDigits) {
  // Held by a seven-digit entry (0432212), by a list without its leading ";" (047882).
  for (const char* key : {"043221", "047882", "066479"}) {
    const int group = key[1] - '0';
    const std::string expected = ScannedAnswer(key, group, tables::kExchangeTables[group].rowCount);
    ASSERT_NE(expected, tables::kUnknown) << key;
    EXPECT_EQ(FixedLine(std::string(key) + "1234"), expected) << key;
  }
  // The tail of a seven-digit entry is no key of its own.
  EXPECT_EQ(FixedLine("0432121234"),
            ScannedAnswer("043212", 4, tables::kExchangeTables[4].rowCount));
}

TEST(ExchangeIndex, ShortTextsAreReadOnlyToTheirEnd) {
  // Exactly sized heap copies, so a read past the NUL is caught by the address sanitizer.
  for (const char* text : {"", "0", "01", "011", "01120", "011201", "011201123", "01120112345"}) {
    const std::size_t size = std::strlen(text) + 1;
    const auto copy = std::make_unique<char[]>(size);
    std::memcpy(copy.get(), text, size);
    EXPECT_EQ(FixedLine(copy.get()), tables::kUnknown) << "text '" << text << "'";
  }
}

}  // namespace
}  // namespace kobal::test
