// Ten-digit fixed lines against the ministry's allocation list itself: every key's split and
// charge area, and where the library answers a fixed line, its prefecture, place and holder.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "Describe.h"
#include "support/ShiftJis.h"
#include "support/TableSource.h"

namespace kobal::test {
namespace {

const std::string kSources = std::string(KOBAL_TABLES_DIR) + "/sources/";
const std::string kFixedLineOpen = "NTT固定（", kFixedLineClose = "）";

struct ListRow {
  std::string ma, key, areaCode, localCode, holder;
};

// The list's rows: code_area,MA,key,area_code,local_code,operator,status,note (no quoted cells).
std::vector<ListRow> ReadList() {
  std::ifstream file(kSources + "mic-fixed-2010-01-04.csv");
  EXPECT_TRUE(file.is_open());
  std::vector<ListRow> rows;
  std::string line;
  std::getline(file, line);  // the header
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> cells;
    std::istringstream parts(line);
    for (std::string cell; std::getline(parts, cell, ',');) cells.push_back(cell);
    if (cells.size() < 6) {
      ADD_FAILURE() << "short row: " << line;
      continue;
    }
    rows.push_back({cells[1], cells[2], cells[3], cells[4], cells[5]});
  }
  return rows;
}

// The MA's prefecture, as the exchange data's sources give it.
std::map<std::string, std::string> ReadMaPrefectures() {
  std::ifstream file(kSources + "ma-prefecture.tsv");
  EXPECT_TRUE(file.is_open());
  std::map<std::string, std::string> prefectures;
  for (std::string line; std::getline(file, line);) {
    const std::size_t tab = line.find('\t');
    if (line.empty() || line[0] == '#' || tab == std::string::npos) continue;
    prefectures[line.substr(0, tab)] = line.substr(tab + 1);
  }
  return prefectures;
}

// The list writes the holder in full-width letters; the field in ASCII.
std::string AsCarrier(std::string holder) {
  const std::string wide = "ＮＴＴ";
  return holder.starts_with(wide) ? "NTT" + holder.substr(wide.size()) : holder;
}

TEST(MinistryList, EveryKeyAtTenDigits) {
  const std::vector<ListRow> rows = ReadList();
  ASSERT_EQ(rows.size(), 42691u);
  const std::map<std::string, std::string> maPrefectures = ReadMaPrefectures();
  int fixedLines = 0, prefectureAsMa = 0;
  for (const ListRow& row : rows) {
    const std::string digits = row.key + "1234";
    const std::string answer = ToUtf8(Detect(digits));
    const NumberFields fields = Describe(digits);
    // Split and charge area are the list's, answered or not.
    EXPECT_EQ(fields.Formatted(), row.areaCode + "-" + row.localCode + "-1234") << digits;
    EXPECT_EQ(fields.ma, row.ma) << digits;
    EXPECT_TRUE(fields.region.empty()) << digits;
    if (!answer.starts_with(kFixedLineOpen)) {
      EXPECT_EQ(answer, "不明") << digits;
      EXPECT_EQ(fields.kind, NumberKind::kUnknown) << digits;
      EXPECT_TRUE(fields.prefecture.empty() && fields.place.empty() && fields.carrier.empty())
          << digits;
      continue;
    }
    ++fixedLines;
    EXPECT_EQ(fields.kind, NumberKind::kFixed) << digits;
    EXPECT_FALSE(fields.prefecture.empty() || fields.place.empty()) << digits;
    EXPECT_EQ(kFixedLineOpen + std::string(fields.prefecture) + std::string(fields.place) +
                  kFixedLineClose,
              answer);
    EXPECT_TRUE(row.holder == "ＮＴＴ東日本" || row.holder == "ＮＴＴ西日本") << digits;
    EXPECT_EQ(fields.carrier, AsCarrier(row.holder)) << digits;
    const auto ma = maPrefectures.find(row.ma);
    ASSERT_NE(ma, maPrefectures.end()) << row.ma;
    prefectureAsMa += ma->second == fields.prefecture;
  }
  // Most keys of the 2000 tables are answered, and nearly all in their MA's prefecture: a
  // prefecture split off at the wrong place would show here.
  EXPECT_GT(fixedLines, 10000);
  EXPECT_GT(prefectureAsMa, fixedLines * 99 / 100) << prefectureAsMa << " of " << fixedLines;
}

TEST(MinistryList, TenDigitsOfAKeyTheListLacksAreNotSplit) {
  std::set<std::string> keys;
  for (const ListRow& row : ReadList()) keys.insert(row.key);
  int lacking = 0;
  for (int tail = 10000; tail < 100000; ++tail) {
    const std::string key = std::to_string(tail).insert(0, 1, '0');
    if (keys.count(key) != 0 || key.starts_with("0120") || key.starts_with("0990")) continue;
    ++lacking;
    const NumberFields fields = Describe(key + "1234");
    EXPECT_EQ(fields.Formatted(), "") << key;
    EXPECT_EQ(fields.ma, "") << key;
  }
  EXPECT_GT(lacking, 40000);
}

TEST(MinistryList, HakoneNineDigitsAreTheListsAreaCode0460) {
  std::set<std::string> mas, holders;
  for (const ListRow& row : ReadList()) {
    if (row.areaCode != "0460") continue;
    mas.insert(row.ma);
    if (row.holder.starts_with("ＮＴＴ")) holders.insert(AsCarrier(row.holder));
  }
  ASSERT_EQ(mas.size(), 1u);
  ASSERT_EQ(holders.size(), 1u);
  const auto nineDigit = ReadTableSource(std::string(KOBAL_TABLES_DIR) + "/nine-digit.txt");
  ASSERT_FALSE(nineDigit.empty());
  std::set<char> known;
  for (const Fields& row : nineDigit) {
    const std::string digits = row[0] + "1234";
    const NumberFields fields = Describe(digits);
    EXPECT_EQ(fields.kind, NumberKind::kFixed) << digits;
    EXPECT_EQ(fields.Formatted(), "0460-" + row[0].substr(4) + "-1234");
    EXPECT_EQ(fields.ma, *mas.begin());
    EXPECT_EQ(fields.carrier, *holders.begin());
    EXPECT_EQ(kFixedLineOpen + std::string(fields.prefecture) + std::string(fields.place) +
                  kFixedLineClose,
              row[1]);
    known.insert(row[0][4]);
  }
  // The other nine-digit numbers of 0460, and of other area codes, are no Hakone number.
  for (char fifth = '0'; fifth <= '9'; ++fifth) {
    if (known.count(fifth) != 0) continue;
    const NumberFields fields = Describe(std::string("0460") + fifth + "1234");
    EXPECT_EQ(fields.kind, NumberKind::kUnknown) << fifth;
    EXPECT_EQ(fields.Formatted(), "") << fifth;
    EXPECT_EQ(fields.ma, "") << fifth;
  }
  EXPECT_EQ(Describe("033521234").Formatted(), "");
}

}  // namespace
}  // namespace kobal::test
