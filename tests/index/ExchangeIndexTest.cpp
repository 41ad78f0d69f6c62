// The generated exchange index answers every key exactly as the row scan does.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "KobalInternal.h"
#include "kobal/KobalFnc.h"

namespace kobal {
namespace {

// The row an index slot names, as the scan returns it.
int32_t RowOf(uint8_t slot) {
  return slot == tables::kNoIndexedRow ? tables::kNoExchangeRow : slot;
}

std::string KeyOf(int group, int slot) {
  char key[8];
  std::snprintf(key, sizeof key, "0%d%04d", group, slot);
  return key;
}

std::string Match(const char* text, const ExchangeRow* rows, int32_t rowCount) {
  char result[KOBAL_RESULT_SIZE];
  MatchExchange(text, rows, rowCount, result);
  return result;
}

std::string FixedLine(const char* placeName) {
  return std::string(tables::kFixedLineOpen) + placeName + tables::kFixedLineClose;
}

// Every table's rows copied into a new array: same texts, so only the scan can answer for it.
std::vector<ExchangeRow> CopyOf(const ExchangeTable& table) {
  return std::vector<ExchangeRow>(table.rows, table.rows + table.rowCount);
}

TEST(ExchangeIndex, GeneratedSlotsHoldTheFirstRowTheScanFinds) {
  for (int group = 1; group <= 9; ++group) {
    const ExchangeTable& table = tables::kExchangeTables[group];
    for (int slot = 0; slot < tables::kExchangeIndexSize; ++slot) {
      const std::string key = KeyOf(group, slot);
      ASSERT_EQ(RowOf(tables::kExchangeIndex[group][slot]),
                ScanExchange(key.c_str(), table.rows, table.rowCount))
          << "key " << key;
    }
  }
}

TEST(ExchangeIndex, EveryDigitKeyAnswersAsTheScan) {
  for (int group = 1; group <= 9; ++group) {
    const ExchangeTable& table = tables::kExchangeTables[group];
    const std::vector<ExchangeRow> copy = CopyOf(table);
    for (int slot = 0; slot < tables::kExchangeIndexSize; ++slot) {
      const std::string key = KeyOf(group, slot);
      const std::string text = key + "1234";
      ASSERT_EQ(FindExchangeRow(key.c_str(), table.rows, table.rowCount),
                ScanExchange(key.c_str(), table.rows, table.rowCount))
          << "key " << key;
      ASSERT_EQ(Match(text.c_str(), table.rows, table.rowCount),
                Match(text.c_str(), copy.data(), table.rowCount))
          << "number " << text;
    }
  }
}

TEST(ExchangeIndex, LeadingRowsOfATableAnswerAsTheirScan) {
  for (int group = 1; group <= 7; ++group) {
    const ExchangeTable& table = tables::kExchangeTables[group];
    const int32_t counts[] = {0, std::min(table.rowCount, 1), table.rowCount / 2,
                              std::max(table.rowCount - 1, 0)};
    for (const int32_t count : counts) {
      for (int slot = 0; slot < tables::kExchangeIndexSize; ++slot) {
        const std::string key = KeyOf(group, slot);
        ASSERT_EQ(FindExchangeRow(key.c_str(), table.rows, count),
                  ScanExchange(key.c_str(), table.rows, count))
            << "key " << key << " in the first " << count << " rows";
      }
    }
  }
}

TEST(ExchangeIndex, OtherRowArraysAreScanned) {
  // Reversed, shifted by one row, or borrowed from another table: the index of table N would
  // give the wrong row, or a row that is not there.
  for (int group = 1; group <= 7; ++group) {
    const ExchangeTable& table = tables::kExchangeTables[group];
    std::vector<ExchangeRow> reversed = CopyOf(table);
    std::reverse(reversed.begin(), reversed.end());
    const ExchangeTable& other = tables::kExchangeTables[group == 1 ? 2 : 1];
    for (int slot = 0; slot < tables::kExchangeIndexSize; slot += 3) {  // a third is plenty here
      const std::string key = KeyOf(group, slot);
      const char* k = key.c_str();
      ASSERT_EQ(FindExchangeRow(k, reversed.data(), table.rowCount),
                ScanExchange(k, reversed.data(), table.rowCount));
      if (table.rowCount > 0) {
        ASSERT_EQ(FindExchangeRow(k, table.rows + 1, table.rowCount - 1),
                  ScanExchange(k, table.rows + 1, table.rowCount - 1));
      }
      ASSERT_EQ(FindExchangeRow(k, other.rows, other.rowCount),
                ScanExchange(k, other.rows, other.rowCount));
    }
  }
}

TEST(ExchangeIndex, EmptyGroupsAndZeroAnswerNothing) {
  for (const int group : {0, 8, 9}) {
    for (int slot = 0; slot < tables::kExchangeIndexSize; ++slot) {
      ASSERT_EQ(tables::kExchangeIndex[group][slot], tables::kNoIndexedRow);
    }
  }
  EXPECT_EQ(Match("0812345678", nullptr, 0), tables::kUnknown);
}

TEST(ExchangeIndex, KeysWithOtherCharactersAreSearchedUnchanged) {
  const ExchangeRow rows[] = {
      {"RowA", ";011201;0112A2"},  // lists only a test would hold
      {"RowB", ";01+201"},
  };
  EXPECT_EQ(Match("0112A23456", rows, 2), FixedLine(rows[0].placeName));
  EXPECT_EQ(Match("01+2013456", rows, 2), FixedLine(rows[1].placeName));
  EXPECT_EQ(Match("0112B23456", rows, 2), tables::kUnknown);
  for (int group = 1; group <= 7; ++group) {
    const ExchangeTable& table = tables::kExchangeTables[group];
    // Non-digits, a sign or blank where atoi would skip one, a shifted key, a short key.
    for (const char* format : {"0%d120x", " %d1201", "+%d1201", "%d12012", ";0%d120", "0%d12"}) {
      char key[8];
      std::snprintf(key, sizeof key, format, group);
      EXPECT_EQ(FindExchangeRow(key, table.rows, table.rowCount),
                ScanExchange(key, table.rows, table.rowCount))
          << "key '" << key << "'";
    }
  }
}

TEST(ExchangeIndex, IrregularEntriesMatchByTheirSubstrings) {
  const ExchangeRow rows[] = {
      {"Makuhari", ";043211;0432212;043271"},
      {"ChibaHoncho", ";043221;043223"},
      {"Omigawa", "047882"},
  };
  EXPECT_EQ(Match("0432211234", rows, 3), FixedLine(rows[0].placeName));
  EXPECT_EQ(Match("0432231234", rows, 3), FixedLine(rows[1].placeName));
  EXPECT_EQ(Match("0478821234", rows, 3), FixedLine(rows[2].placeName));
  EXPECT_EQ(Match("4322121234", rows, 3), FixedLine(rows[0].placeName));  // the entry's tail
  EXPECT_EQ(Match("0432121234", rows, 3), tables::kUnknown);
}

TEST(ExchangeIndex, ShortTextsAreReadOnlyToTheirEnd) {
  // Exactly sized heap copies, so a read past the NUL is caught by the address sanitizer.
  for (const char* text : {"", "0", "011", "01120"}) {
    const std::size_t size = std::strlen(text) + 1;
    const auto copy = std::make_unique<char[]>(size);
    std::memcpy(copy.get(), text, size);
    const ExchangeTable& table = tables::kExchangeTables[1];
    const int32_t row = ScanExchange(text, table.rows, table.rowCount);
    const std::string expected =
        row < 0 ? std::string(tables::kUnknown) : FixedLine(table.rows[row].placeName);
    EXPECT_EQ(Match(copy.get(), table.rows, table.rowCount), expected) << "text '" << text << "'";
  }
}

}  // namespace
}  // namespace kobal
