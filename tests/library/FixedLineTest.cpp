// Ten-digit fixed lines: the quoted exchange rows, earlier rows winning, irregular entries.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "KobalInternal.h"
#include "kobal/KobalFnc.h"
#include "support/CheckedDetect.h"
#include "support/ShiftJis.h"

namespace kobal::test {
namespace {

std::string Fixed(const std::string& place) { return "NTT固定（" + place + "）"; }

struct Case {
  const char* input;
  const char* place;  // nullptr: 不明
};

void ExpectPlaces(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(ToUtf8(Detect(c.input)), c.place ? Fixed(c.place) : "不明") << c.input;
  }
}

TEST(FixedLine, QuotedRows) {
  ExpectPlaces({{"0112011234", "北海道札幌大通"},
                {"0112810000", "北海道札幌大通"},  // the last of its 24 entries
                {"0153751234", "北海道別海／上春別／上風連／浜別海"},
                {"0222180000", "宮城県泉"},
                {"0223710000", "宮城県泉"},
                {"0256380000", "新潟県第２三条"},
                {"0332001234", "東京都大久保"},
                {"0352910000", "東京都大久保"},
                {"0355301234", "東京都TTC"},
                {"0335701234", "東京都TTC"},
                {"0459451234", "神奈川県港北ＮＴ"},
                {"0479441234", "茨城県波崎"},
                {"0479461234", "茨城県若松"},
                {"0479481234", "茨城県矢田部"},
                {"0551221234", "山梨県韮崎"},
                {"0556671234", "山梨県万沢"},
                {"0552510000", "山梨県千代田湖／甲府北"},
                {"0662111234", "大阪府南"},
                {"0647080000", "大阪府南"}});
}

TEST(FixedLine, EarlierRowWins) {
  ExpectPlaces({{"0115931234", "北海道真駒内"},
                {"0115911234", "北海道石山"},
                {"0335201234", "東京都新有明"},
                {"0335281234", "東京都新有明"},
                {"0335291234", "東京都新有明"},
                {"0432211234", "千葉県幕張"}});
}

TEST(FixedLine, IrregularEntries) {
  ExpectPlaces({{"0432211234", "千葉県幕張"},  // its 0432212 holds the key 043221
                {"0432231234", "千葉県千葉本町"},
                {"0664791234", "大阪府大阪北"},          // 0664795
                {"0478821234", "千葉県小見川／虫幡"}});  // the list lacks its leading ";"
}

TEST(FixedLine, LeadsOutsideCoverage) {
  ExpectPlaces({{"0111123456", nullptr},
                {"0110123456", nullptr},
                {"0330123456", nullptr},
                {"0400123456", nullptr},
                {"0557123456", nullptr},
                {"0660123456", nullptr},
                {"0771123456", nullptr},
                {"0012345678", nullptr},
                {"0812345678", nullptr},
                {"0912345678", nullptr},
                {"0701234567", nullptr},
                {"0a12012345", nullptr}});
}

TEST(FixedLine, KeyIsSearchedAsItStands) {
  // A key with a separator in it is a plain substring of a list, and a short text is no key.
  ExpectPlaces({{"01;0112019", "北海道札幌大通"}});
  char result[KOBAL_RESULT_SIZE];
  EXPECT_EQ(DetectFixedLine("011201", result), 1);
  EXPECT_EQ(ToUtf8(result), "不明");
}

TEST(FixedLine, LongestResultFillsTheBuffer) {
  const std::string longest = Detect("0153751234");
  EXPECT_EQ(longest.size(), 45u);
  EXPECT_EQ(longest.size() + 1, static_cast<std::size_t>(KOBAL_RESULT_SIZE));
}

TEST(FixedLine, TableFiveAsItStood) {
  const ExchangeTable& five = tables::kExchangeTables[5];
  ASSERT_GT(five.rowCount, 0);
  std::map<std::string, int> perLead;
  std::set<std::string> keys;
  for (int32_t row = 0; row < five.rowCount; ++row) {
    for (const char* entry = five.rows[row].prefixList; (entry = std::strchr(entry, ';'));) {
      const std::string key(++entry, 6);
      keys.insert(key);
      ++perLead[key.substr(0, 4)];
    }
  }
  EXPECT_EQ(keys.size(), 116u);
  EXPECT_EQ(
      perLead,
      (std::map<std::string, int>{
          {"0551", 15}, {"0552", 43}, {"0553", 11}, {"0554", 16}, {"0555", 18}, {"0556", 13}}));
  EXPECT_EQ(ToUtf8(five.rows[0].answer.text), Fixed("山梨県韮崎"));
  EXPECT_EQ(ToUtf8(five.rows[five.rowCount - 1].answer.text), Fixed("山梨県万沢"));
}

// Whatever the tables hold, every stored key answers the first row whose list holds it.
TEST(FixedLine, EveryStoredKeyAnswersItsEarliestRow) {
  for (int group = 1; group <= 7; ++group) {
    const ExchangeTable& table = tables::kExchangeTables[group];
    for (int32_t row = 0; row < table.rowCount; ++row) {
      std::istringstream entries(table.rows[row].prefixList);
      for (std::string entry; std::getline(entries, entry, ';');) {
        if (entry.empty()) continue;
        const std::string key = entry.substr(0, 6);  // a seven-digit entry answers its first six
        int32_t first = 0;
        while (std::strstr(table.rows[first].prefixList, key.c_str()) == nullptr) ++first;
        EXPECT_EQ(Detect(key + "1234"), table.rows[first].answer.text)
            << "key " << key << " of table " << group;
      }
    }
  }
}

}  // namespace
}  // namespace kobal::test
