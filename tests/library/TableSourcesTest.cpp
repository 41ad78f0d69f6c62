// Every compiled text, decoded from Shift-JIS, equals its line in the UTF-8 table sources.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "KobalInternal.h"
#include "ShiftJis.h"
#include "TableSource.h"

namespace kobal::test {
namespace {

std::vector<Fields> ReadSource(const std::string& name) {
  return ReadTableSource(std::string(KOBAL_TABLES_DIR) + "/" + name);
}

TEST(TableSources, FixedTexts) {
  const std::map<std::string, const char*> compiled = {{"Unknown", tables::kUnknown},
                                                       {"FreeDial", tables::kFreeDial},
                                                       {"DialQ2", tables::kDialQ2},
                                                       {"FixedLineOpen", tables::kFixedLineOpen},
                                                       {"FixedLineClose", tables::kFixedLineClose}};
  const std::vector<Fields> records = ReadSource("texts.txt");
  EXPECT_EQ(records.size(), compiled.size());
  for (const Fields& r : records) EXPECT_EQ(ToUtf8(compiled.at(r[0])), r[1]) << r[0];
}

TEST(TableSources, ServiceNumbers) {
  std::map<int, std::string> source;
  for (const Fields& r : ReadSource("service-numbers.txt")) source[std::stoi(r[0])] = r[1];
  for (int value = tables::kServiceFirst; value <= tables::kServiceLast; ++value) {
    const char* text = tables::kServiceTexts[value - tables::kServiceFirst];
    const auto row = source.find(value);
    if (row == source.end()) {
      EXPECT_EQ(text, nullptr) << value;
    } else if (text == nullptr) {
      ADD_FAILURE() << value << " has no compiled text";
    } else {
      EXPECT_EQ(ToUtf8(text), row->second) << value;
    }
  }
}

TEST(TableSources, ServiceAnswersAreTheTextsOrUnknown) {
  for (int32_t slot = 0; slot < tables::kServiceSlots; ++slot) {
    const char* text = tables::kServiceTexts[slot];
    EXPECT_STREQ(tables::kServiceAnswers[slot].text, text != nullptr ? text : tables::kUnknown)
        << tables::kServiceFirst + slot;
  }
}

TEST(TableSources, NineDigitNumbers) {
  const std::vector<Fields> records = ReadSource("nine-digit.txt");
  ASSERT_EQ(static_cast<std::size_t>(tables::kNineDigitCount), records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(tables::kNineDigit[i].prefix, records[i][0]);
    EXPECT_EQ(ToUtf8(tables::kNineDigit[i].text), records[i][1]);
  }
}

TEST(TableSources, MobileBlocks) {
  std::map<std::string, std::string> legend;
  for (const Fields& r : ReadSource("mobile-carriers.txt")) legend[r[0]] = r[1];
  const std::vector<Fields> grid = ReadSource("mobile-blocks.txt");
  ASSERT_EQ(grid.size(), 10u * tables::kMobileGroupCount);
  for (std::size_t line = 0; line < grid.size(); ++line) {
    const std::size_t group = line / 10;
    EXPECT_EQ(tables::kMobileGroups[group], grid[line][0]);
    std::istringstream codes(grid[line][2]);
    std::size_t block = 10 * static_cast<std::size_t>(std::stoi(grid[line][1]));
    for (std::string code; codes >> code; ++block) {
      EXPECT_EQ(ToUtf8(tables::kMobileBlocks[group][block]), legend.at(code))
          << grid[line][0] << " block " << block;
    }
    EXPECT_EQ(block % 10, 0u);
  }
}

TEST(TableSources, MobileLookupTablesAgreeWithTheBlocks) {
  int found = 0;
  for (const char* lead : {"070", "090"}) {
    for (char digit = '0'; digit <= '9'; ++digit) {
      const std::string key = lead + std::string(1, digit);
      const int8_t slot = tables::kMobileGroupSlots[lead[1] == '9'][digit - '0'];
      if (slot < 0) {
        for (const char* group : tables::kMobileGroups) EXPECT_NE(key, group);
        continue;
      }
      ++found;
      ASSERT_LT(slot, tables::kMobileGroupCount) << key;
      EXPECT_EQ(key, tables::kMobileGroups[slot]);
      for (int block = 0; block < 100; ++block) {
        const AnswerText& answer =
            tables::kMobileCarrierAnswers[tables::kMobileBlockCarriers[slot][block]];
        EXPECT_STREQ(answer.text, tables::kMobileBlocks[slot][block]) << key << " block " << block;
      }
    }
  }
  EXPECT_EQ(found, tables::kMobileGroupCount);
}

TEST(TableSources, ExchangeRows) {
  for (int group = 1; group <= 7; ++group) {
    const std::vector<Fields> records = ReadSource("exchange-" + std::to_string(group) + ".txt");
    const ExchangeTable& table = tables::kExchangeTables[group];
    ASSERT_EQ(static_cast<std::size_t>(table.rowCount), records.size()) << "table " << group;
    for (std::size_t row = 0; row < records.size(); ++row) {
      EXPECT_EQ(ToUtf8(table.rows[row].placeName), records[row][0]) << group << "/" << row + 1;
      EXPECT_EQ(table.rows[row].prefixList, records[row][1]) << group << "/" << row + 1;
      const AnswerText& answer = tables::kExchangeAnswers[group][row];
      EXPECT_EQ(ToUtf8(answer.text), "NTT固定（" + records[row][0] + "）")
          << group << "/" << row + 1;
      EXPECT_EQ(static_cast<std::size_t>(answer.size), std::strlen(answer.text));
    }
  }
}

}  // namespace
}  // namespace kobal::test
