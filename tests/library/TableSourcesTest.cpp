// Every compiled text, decoded from Shift-JIS, equals its line in the UTF-8 table sources.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "KobalInternal.h"
#include "support/ShiftJis.h"
#include "support/TableSource.h"

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
    const AnswerText& answer = tables::kServiceAnswers[value - tables::kServiceFirst];
    const auto row = source.find(value);
    EXPECT_EQ(ToUtf8(answer.text), row == source.end() ? "不明" : row->second) << value;
    EXPECT_EQ(static_cast<std::size_t>(answer.size), std::strlen(answer.text)) << value;
  }
}

TEST(TableSources, NineDigitNumbers) {
  const std::vector<Fields> records = ReadSource("nine-digit.txt");
  ASSERT_EQ(static_cast<std::size_t>(tables::kNineDigitCount), records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(tables::kNineDigit[i].prefix, records[i][0]);
    EXPECT_EQ(ToUtf8(tables::kNineDigit[i].answer.text), records[i][1]);
  }
}

// The block grid through the group slots, as the lookup reads it: every group of the source and
// no other, each block holding its code's text.
TEST(TableSources, MobileBlocks) {
  std::map<std::string, std::string> legend;
  for (const Fields& r : ReadSource("mobile-carriers.txt")) legend[r[0]] = r[1];
  const std::vector<Fields> grid = ReadSource("mobile-blocks.txt");
  std::map<std::string, int> slots;  // "0705" -> its group number
  for (const int lead : {0, 1}) {
    for (int digit = 0; digit < 10; ++digit) {
      const int8_t slot = tables::kMobileGroupSlots[lead][digit];
      if (slot < 0) continue;
      ASSERT_LT(slot, tables::kMobileGroupCount);
      slots[(lead == 0 ? "070" : "090") + std::to_string(digit)] = slot;
    }
  }
  std::map<std::string, int> linesPerGroup;
  for (const Fields& line : grid) {
    ++linesPerGroup[line[0]];
    ASSERT_TRUE(slots.count(line[0])) << line[0] << " has no slot";
    const int group = slots.at(line[0]);
    std::istringstream codes(line[2]);
    std::size_t block = 10 * static_cast<std::size_t>(std::stoi(line[1]));
    for (std::string code; codes >> code; ++block) {
      const AnswerText& answer =
          tables::kMobileCarrierAnswers[tables::kMobileBlockCarriers[group][block]];
      EXPECT_EQ(ToUtf8(answer.text), legend.at(code)) << line[0] << " block " << block;
      EXPECT_EQ(static_cast<std::size_t>(answer.size), std::strlen(answer.text));
    }
    EXPECT_EQ(block % 10, 0u);
  }
  EXPECT_EQ(linesPerGroup.size(), slots.size());  // no slot for a group the source lacks
  for (const auto& [group, lines] : linesPerGroup) EXPECT_EQ(lines, 10) << group;
}

TEST(TableSources, ExchangeRows) {
  for (int group = 1; group <= 7; ++group) {
    const std::vector<Fields> records = ReadSource("exchange-" + std::to_string(group) + ".txt");
    const ExchangeTable& table = tables::kExchangeTables[group];
    ASSERT_EQ(static_cast<std::size_t>(table.rowCount), records.size()) << "table " << group;
    for (std::size_t row = 0; row < records.size(); ++row) {
      const AnswerText& answer = table.rows[row].answer;
      EXPECT_EQ(ToUtf8(answer.text), "NTT固定（" + records[row][0] + "）")
          << group << "/" << row + 1;
      EXPECT_EQ(static_cast<std::size_t>(answer.size), std::strlen(answer.text));
      EXPECT_EQ(table.rows[row].prefixList, records[row][1]) << group << "/" << row + 1;
    }
  }
}

}  // namespace
}  // namespace kobal::test
