// The compiled exchange tables against their sources: quoted rows, coverage and the row form.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "KobalInternal.h"
#include "kobal/KobalFnc.h"
#include "support/CheckedDetect.h"
#include "support/ExchangeScan.h"
#include "support/ShiftJis.h"
#include "support/TableSource.h"

namespace kobal::test {
namespace {

struct QuotedRow {
  int table;
  int position;      // counted from 1 within the table, 0 where it is not known
  std::string name;  // Shift-JIS
  std::string prefixes;
  bool irregular;
};

std::vector<Fields> ReadSource(const std::string& name) {
  return ReadTableSource(std::string(KOBAL_TABLE_SOURCES_DIR) + "/" + name);
}

const std::vector<QuotedRow>& Quoted() {
  static const std::vector<QuotedRow> rows = [] {
    std::vector<QuotedRow> result;
    for (const Fields& f : ReadSource("quoted-rows.txt")) {
      const int position = f[1] == "-" ? 0 : std::stoi(f[1]);
      result.push_back({std::stoi(f[0]), position, ToShiftJis(f[2]), f[3], f.size() > 4});
    }
    return result;
  }();
  return rows;
}

// Covered four-digit leads by table.
const std::map<int, std::set<std::string>>& Coverage() {
  static const std::map<int, std::set<std::string>> leads = [] {
    std::map<int, std::set<std::string>> result;
    for (const Fields& f : ReadSource("coverage.txt")) result[std::stoi(f[0])].insert(f[1]);
    return result;
  }();
  return leads;
}

// The keys a substring search finds in a list: every six-digit run that begins with "0".
std::vector<std::string> HeldKeys(const std::string& prefixes) {
  std::vector<std::string> keys;
  for (std::size_t i = 0; i + 6 <= prefixes.size(); ++i) {
    const std::string key = prefixes.substr(i, 6);
    if (key[0] == '0' && key.find_first_not_of("0123456789") == std::string::npos) {
      keys.push_back(key);
    }
  }
  return keys;
}

std::string AnswerOfKey(const std::string& key) {
  std::array<char, KOBAL_RESULT_SIZE> buffer{};
  DetectFixedLine((key + "0000").c_str(), buffer.data());
  return buffer.data();
}

bool IsQuoted(int table, const ExchangeRow& row) {
  for (const QuotedRow& q : Quoted()) {
    if (q.table == table && FixedLineAnswer(q.name) == row.answer.text &&
        q.prefixes == row.prefixList) {
      return true;
    }
  }
  return false;
}

// What the ministry's allocation list of 2010 says of one six-digit key.
struct Allocation {
  std::string ma;  // UTF-8
  bool heldByNtt;
};

// The fields of a line, a CR before its end dropped (the ministry's list has CRLF line ends).
std::vector<std::string> Split(std::string line, char separator) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  std::vector<std::string> parts;
  std::istringstream stream(line);
  for (std::string part; std::getline(stream, part, separator);) parts.push_back(part);
  if (!line.empty() && line.back() == separator) parts.emplace_back();
  return parts;
}

// Read straight from the CSV, not through the generator, so that the check stands on its own.
const std::map<std::string, Allocation>& Allocations() {
  static const std::map<std::string, Allocation> keys = [] {
    std::map<std::string, Allocation> result;
    std::ifstream file(std::string(KOBAL_TABLE_SOURCES_DIR) + "/mic-fixed-2010-01-04.csv");
    EXPECT_TRUE(file.is_open());
    std::string line;
    std::getline(file, line);  // the header
    while (std::getline(file, line)) {
      // code_area,MA,key,area_code,local_code,operator,status,note
      const std::vector<std::string> f = Split(line, ',');
      if (f.size() != 8) continue;  // the generator refuses such a line; the test below fails
      const bool ntt = f[5] == "ＮＴＴ東日本" || f[5] == "ＮＴＴ西日本";
      result[f[2]] = {f[1], ntt && (f[6] == "使用中" || f[6] == "使用予定")};
    }
    return result;
  }();
  return keys;
}

std::map<std::string, std::string> MaPrefectures() {
  std::map<std::string, std::string> result;
  std::ifstream file(std::string(KOBAL_TABLE_SOURCES_DIR) + "/ma-prefecture.tsv");
  for (std::string line; std::getline(file, line);) {
    const std::vector<std::string> f = Split(line, '\t');
    if (!line.empty() && line[0] != '#' && f.size() == 2) result[f[0]] = f[1];
  }
  return result;
}

TEST(ExchangeData, QuotedRowsStandInTheirTablesAndAnswerAsStated) {
  ASSERT_FALSE(Quoted().empty());
  for (const QuotedRow& q : Quoted()) {
    const ExchangeTable& table = tables::kExchangeTables[q.table];
    int found = 0;
    for (int32_t r = 0; r < table.rowCount; ++r) {
      found += FixedLineAnswer(q.name) == table.rows[r].answer.text &&
               q.prefixes == table.rows[r].prefixList;
    }
    EXPECT_EQ(found, 1) << q.prefixes;
    if (q.position > 0) {
      ASSERT_LE(q.position, table.rowCount);
      EXPECT_EQ(table.rows[q.position - 1].prefixList, q.prefixes) << "row " << q.position;
    }
    for (const std::string& key : HeldKeys(q.prefixes)) {
      // The earliest quoted row of the table that holds the key is the one that answers it.
      const QuotedRow* holder = nullptr;
      for (const QuotedRow& earlier : Quoted()) {
        if (earlier.table != q.table) continue;
        if (earlier.prefixes.find(key) != std::string::npos) {
          holder = &earlier;
          break;
        }
      }
      ASSERT_NE(holder, nullptr);
      EXPECT_EQ(Detect(key + "0000"), FixedLineAnswer(holder->name)) << key;
    }
  }
}

TEST(ExchangeData, EarlierRowsWinWhereTwoHoldAKey) {
  const std::map<std::string, std::string> answers = {
      {"011201", "北海道札幌大通"}, {"011593", "北海道真駒内"},       {"011591", "北海道石山"},
      {"033520", "東京都新有明"},   {"033528", "東京都新有明"},       {"033529", "東京都新有明"},
      {"035530", "東京都TTC"},      {"043221", "千葉県幕張"},         {"043223", "千葉県千葉本町"},
      {"066479", "大阪府大阪北"},   {"047882", "千葉県小見川／虫幡"}, {"047944", "茨城県波崎"},
      {"066211", "大阪府南"},       {"055122", "山梨県韮崎"},         {"025638", "新潟県第２三条"}};
  for (const auto& [key, place] : answers) {
    EXPECT_EQ(ToUtf8(Detect(key + "0000")), ToUtf8(FixedLineAnswer(ToShiftJis(place)))) << key;
  }
}

TEST(ExchangeData, NoLeadOutsideCoverageAnswersAPlace) {
  const std::string unknown = tables::kUnknown;
  int answering = 0;
  for (int group = 0; group < tables::kExchangeTableCount; ++group) {
    const std::set<std::string> covered =
        Coverage().count(group) ? Coverage().at(group) : std::set<std::string>{};
    const ExchangeTable& table = tables::kExchangeTables[group];
    for (int32_t r = 0; r < table.rowCount; ++r) {
      for (const std::string& key : HeldKeys(table.rows[r].prefixList)) {
        EXPECT_TRUE(covered.count(key.substr(0, 4))) << "row " << r + 1 << " holds " << key;
      }
    }
    if (group == 0) continue;  // "00" never reaches a table
    for (int lead = 0; lead < 100; ++lead) {
      std::ostringstream text;
      text << '0' << group << (lead < 10 ? "0" : "") << lead;
      const bool isCovered = covered.count(text.str()) > 0;
      for (int suffix = 0; suffix < 100; ++suffix) {
        const std::string key = text.str() + (suffix < 10 ? "0" : "") + std::to_string(suffix);
        const std::string answer = AnswerOfKey(key);
        if (isCovered) {
          answering += answer != unknown;
        } else {
          ASSERT_EQ(answer, unknown) << key;
        }
      }
    }
  }
  RecordProperty("covered_keys_answering", answering);
  EXPECT_GT(answering, 0);
}

// The prefecture blocks of each table in their order, as Shift-JIS names.
std::map<int, std::vector<std::string>> BlockOrder() {
  std::map<int, std::vector<std::string>> order;
  for (const Fields& f : ReadSource("layout.txt")) {
    std::vector<std::string>& blocks = order[std::stoi(f[0])];
    for (const std::string& block : Split(f[4], ',')) {
      const std::size_t start = block.find_first_not_of(' ');
      if (start == std::string::npos) continue;
      blocks.push_back(ToShiftJis(block.substr(start, block.rfind(' ') - start)));
    }
  }
  return order;
}

// Every key of every covered lead through the built library, against the ministry's list: a
// quoted key answers its quoted row; any other key answers its prefecture and MA if NTT held it,
// its lead is not complete (all its 2000 entries quoted) and its prefecture has a block in the
// table; every other key answers "不明".
TEST(ExchangeData, CoveredKeysAnswerAsTheMinistryListHoldsThem) {
  ASSERT_GT(Allocations().size(), 40000u);
  const std::map<std::string, std::string> prefectures = MaPrefectures();
  const std::map<int, std::vector<std::string>> blockOrder = BlockOrder();
  std::map<std::string, int> quotedEntries;
  for (const QuotedRow& q : Quoted()) {
    for (const std::string& entry : Split(q.prefixes, ';')) {
      if (!entry.empty()) ++quotedEntries[entry.substr(0, 4)];
    }
  }
  std::map<std::string, int> coverageEntries;
  for (const Fields& f : ReadSource("coverage.txt")) coverageEntries[f[1]] = std::stoi(f[2]);

  std::vector<std::string> wrong;
  int made = 0;
  for (const auto& [group, leads] : Coverage()) {
    for (const std::string& lead : leads) {
      const bool complete = quotedEntries[lead] == coverageEntries.at(lead);
      for (int suffix = 0; suffix < 100; ++suffix) {
        const std::string key = lead + (suffix < 10 ? "0" : "") + std::to_string(suffix);
        const QuotedRow* quoted = nullptr;
        for (const QuotedRow& q : Quoted()) {
          if (q.table == group && q.prefixes.find(key) != std::string::npos) {
            quoted = &q;
            break;
          }
        }
        const auto allocation = Allocations().find(key);
        std::string expected = tables::kUnknown;
        if (quoted != nullptr) {
          expected = FixedLineAnswer(quoted->name);
        } else if (!complete && allocation != Allocations().end() && allocation->second.heldByNtt) {
          const std::string& ma = allocation->second.ma;
          const std::string prefecture = ToShiftJis(prefectures.at(ma));
          const std::vector<std::string>& blocks = blockOrder.at(group);
          if (std::find(blocks.begin(), blocks.end(), prefecture) != blocks.end()) {
            expected = FixedLineAnswer(prefecture + ToShiftJis(ma));
            ++made;
          }
        }
        const std::string answer = Detect(key + "0000");
        if (answer != expected && wrong.size() < 20) {
          wrong.push_back(key + " answers " + ToUtf8(answer) + ", not " + ToUtf8(expected));
        }
      }
    }
  }
  for (const std::string& fault : wrong) ADD_FAILURE() << fault;
  RecordProperty("made_answers", made);
  EXPECT_GT(made, 10000);
}

TEST(ExchangeData, NoEntryShadowsAQuotedRow) {
  for (int group = 1; group <= 7; ++group) {
    const ExchangeTable& table = tables::kExchangeTables[group];
    for (int32_t r = 0; r < table.rowCount; ++r) {
      if (!IsQuoted(group, table.rows[r])) continue;
      for (const std::string& key : HeldKeys(table.rows[r].prefixList)) {
        for (int32_t earlier = 0; earlier < r; ++earlier) {
          if (std::strstr(table.rows[earlier].prefixList, key.c_str()) == nullptr) continue;
          EXPECT_TRUE(IsQuoted(group, table.rows[earlier]))
              << "row " << earlier + 1 << " of table " << group << " takes " << key;
        }
      }
    }
  }
}

// True for 1 to 26 entries of ";0", the group digit and four digits.
bool IsRegularList(const std::string& list, int group) {
  if (list.empty() || list.size() % 7 != 0 || list.size() > 26 * 7) return false;
  for (std::size_t at = 0; at < list.size(); at += 7) {
    if (list[at] != ';' || list[at + 1] != '0' || list[at + 2] != '0' + group) return false;
    if (list.substr(at + 3, 4).find_first_not_of("0123456789") != std::string::npos) return false;
  }
  return true;
}

TEST(ExchangeData, EveryRowObeysTheDataModel) {
  const std::map<int, std::vector<std::string>> blockOrder = BlockOrder();
  for (int group = 1; group <= 7; ++group) {
    const ExchangeTable& table = tables::kExchangeTables[group];
    const std::vector<std::string>& order = blockOrder.at(group);
    std::size_t block = 0;
    ASSERT_GT(table.rowCount, 0) << group;
    for (int32_t r = 0; r < table.rowCount; ++r) {
      const std::string name = PlaceNameOf(table.rows[r].answer);
      const std::string list = table.rows[r].prefixList;
      EXPECT_GE(name.size(), 8u) << group << ":" << r + 1;
      EXPECT_LE(name.size(), 34u) << group << ":" << r + 1;
      // Blocks are contiguous and in the table's order: a row may only move on to a later one.
      while (block < order.size() && name.rfind(order[block], 0) != 0) ++block;
      ASSERT_LT(block, order.size())
          << "row " << r + 1 << " of table " << group << " out of its block";
      if (!IsRegularList(list, group)) {
        bool irregular = false;
        for (const QuotedRow& q : Quoted()) irregular |= q.irregular && q.prefixes == list;
        EXPECT_TRUE(irregular) << group << ":" << r + 1 << " " << list;
      }
    }
  }
}

TEST(ExchangeData, LongestResultIs45BytesAndItsNul) {
  std::size_t longest = 0;
  for (int group = 1; group <= 7; ++group) {
    const ExchangeTable& table = tables::kExchangeTables[group];
    for (int32_t r = 0; r < table.rowCount; ++r) {
      const std::vector<std::string> keys = HeldKeys(table.rows[r].prefixList);
      ASSERT_FALSE(keys.empty());
      // Detect checks that nothing is written past the NUL of a 46-byte result.
      longest = std::max(longest, Detect(keys.front() + "0000").size());
    }
  }
  EXPECT_EQ(longest, 45u);
  EXPECT_EQ(Detect("0153751234"),
            FixedLineAnswer(ToShiftJis("北海道別海／上春別／上風連／浜別海")));
}

}  // namespace
}  // namespace kobal::test
