// The other shapes of the numbering: every mobile and PHS block, every service value, toll-free
// and information numbers, numbers outside the numbering of 2000, and answers that do not fit
// the number they came with.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>

#include "Describe.h"
#include "support/ShiftJis.h"
#include "support/TableSource.h"

namespace kobal::test {
namespace {

const std::string kTables = KOBAL_TABLES_DIR;

void ExpectNoPlace(const NumberFields& fields, const std::string& digits) {
  EXPECT_TRUE(fields.prefecture.empty() && fields.place.empty() && fields.ma.empty()) << digits;
}

TEST(NumberShapes, EveryMobileAndPhsBlock) {
  std::map<std::string, std::string> texts;  // code → carrier text
  for (const Fields& row : ReadTableSource(kTables + "/mobile-carriers.txt"))
    texts[row[0]] = row[1];
  texts["--"] = "";
  // The brands the carriers are known by.
  const std::set<std::string> brands = {
      "NTTドコモ", "DDIポケット", "アステル", "J-PHONE",
      "セルラー",  "IDO",         "ツーカー", "東京通信ネットワーク"};
  std::set<std::string> textsSeen, brandsSeen;
  for (const Fields& row : ReadTableSource(kTables + "/mobile-blocks.txt")) {
    std::istringstream codes(row[2]);
    int sixth = 0;
    for (std::string code; codes >> code; ++sixth) {
      const std::string digits = row[0] + row[1] + std::to_string(sixth) + "12345";
      const std::string text = texts.at(code);
      ASSERT_EQ(ToUtf8(Detect(digits)), text) << digits;
      textsSeen.insert(text);
      const NumberFields fields = Describe(digits);
      EXPECT_EQ(fields.kind, row[0].starts_with("090") ? NumberKind::kMobile : NumberKind::kPhs);
      EXPECT_EQ(fields.Formatted(),
                digits.substr(0, 3) + "-" + digits.substr(3, 4) + "-" + digits.substr(7));
      ExpectNoPlace(fields, digits);
      const std::string brand(fields.carrier), region(fields.region);
      if (text.empty() || text == "データなし") {
        EXPECT_EQ(brand + region, "") << digits;
        continue;
      }
      EXPECT_EQ(brands.count(brand), 1u) << digits << ": " << brand;
      brandsSeen.insert(brand);
      // Brand and region are words of the text, apart.
      const std::size_t at = text.find(brand);
      ASSERT_NE(at, std::string::npos) << text;
      const std::string rest = text.substr(0, at) + "|" + text.substr(at + brand.size());
      EXPECT_NE(rest.find(region), std::string::npos) << text << ": " << region;
    }
  }
  EXPECT_EQ(textsSeen.size(), 51u);
  EXPECT_EQ(brandsSeen, brands);
}

TEST(NumberShapes, GroupsWithoutBlocksAreUnknownButStillWrittenAsMobile) {
  for (const char* digits : {"09001234567", "07001234567", "07091234567"}) {
    const NumberFields fields = Describe(digits);
    EXPECT_EQ(ToUtf8(Detect(digits)), "不明");
    EXPECT_EQ(fields.kind, NumberKind::kUnknown) << digits;
    EXPECT_EQ(fields.Formatted().size(), 13u) << digits;
    EXPECT_TRUE(fields.carrier.empty() && fields.region.empty()) << digits;
  }
}

TEST(NumberShapes, EveryServiceValue) {
  const std::size_t rows = ReadTableSource(kTables + "/service-numbers.txt").size();
  std::size_t services = 0;
  for (int value = 0; value < 1000; ++value) {
    std::string digits = std::to_string(value);
    digits.insert(0, 3 - digits.size(), '0');
    const NumberFields fields = Describe(digits);
    ExpectNoPlace(fields, digits);
    EXPECT_TRUE(fields.carrier.empty() && fields.region.empty()) << digits;
    if (ToUtf8(Detect(digits)) == "不明") {
      EXPECT_EQ(fields.kind, NumberKind::kUnknown) << digits;
      EXPECT_EQ(fields.Formatted(), "") << digits;
    } else {
      ++services;
      EXPECT_EQ(fields.kind, NumberKind::kService) << digits;
      EXPECT_EQ(fields.Formatted(), digits);
    }
  }
  EXPECT_EQ(services, rows);
}

TEST(NumberShapes, TollFreeInformationAndNumbersOutsideThe2000Numbering) {
  struct Case {
    const char* digits;
    NumberKind kind;
    const char* formatted;
  };
  const Case cases[] = {
      {"0120123456", NumberKind::kTollFree, "0120-123-456"},
      {"0120999999", NumberKind::kTollFree, "0120-999-999"},
      {"08001234567", NumberKind::kTollFree, "0800-123-4567"},
      {"0990123456", NumberKind::kInformation, "0990-123-456"},
      {"01201234567", NumberKind::kUnknown, ""},  // toll-free numbers of other lengths
      {"0800123456", NumberKind::kUnknown, ""},
      {"099012345", NumberKind::kUnknown, ""},
      {"05012345678", NumberKind::kUnknown, ""},  // IP telephony, 080 mobiles, navi dial: later
      {"08012345678", NumberKind::kUnknown, ""},
      {"0570123456", NumberKind::kUnknown, ""},
      {"06012345678", NumberKind::kUnknown, ""},
      {"1234567890", NumberKind::kUnknown, ""},
      {"033520123456", NumberKind::kUnknown, ""},
      {"0", NumberKind::kUnknown, ""},
      {"", NumberKind::kUnknown, ""},
  };
  for (const Case& c : cases) {
    const NumberFields fields = Describe(c.digits);
    EXPECT_EQ(fields.kind, c.kind) << c.digits;
    EXPECT_EQ(fields.Formatted(), c.formatted) << c.digits;
    ExpectNoPlace(fields, c.digits);
    EXPECT_TRUE(fields.carrier.empty() && fields.region.empty()) << c.digits;
  }
}

TEST(NumberShapes, AnAnswerThatDoesNotFitTheNumberGivesNoWords) {
  const std::string fixedLine = ToShiftJis("NTT固定（東京都新有明）");
  const std::string carrier = ToShiftJis("NTTドコモ関西");
  // A carrier for a fixed line's digits: the list still splits the digits.
  NumberFields fields = DescribeNumber("0335201234", carrier);
  EXPECT_EQ(fields.kind, NumberKind::kUnknown);
  EXPECT_EQ(fields.Formatted(), "03-3520-1234");
  EXPECT_EQ(fields.ma, "東京");
  EXPECT_TRUE(fields.carrier.empty() && fields.region.empty());

  fields = DescribeNumber("09012345678", fixedLine);
  EXPECT_EQ(fields.kind, NumberKind::kUnknown);
  EXPECT_TRUE(fields.prefecture.empty() && fields.place.empty() && fields.carrier.empty());

  EXPECT_EQ(DescribeNumber("0335201234", fixedLine).kind, NumberKind::kFixed);
  EXPECT_EQ(DescribeNumber("0335201234", fixedLine + "x").kind, NumberKind::kUnknown);
  EXPECT_EQ(DescribeNumber("0335201234", fixedLine.substr(0, 10)).kind, NumberKind::kUnknown);
  EXPECT_EQ(DescribeNumber("117", ToShiftJis("フリーダイヤル")).Formatted(), "");
  // Not digits: nothing is described, whatever the answer.
  for (const char* text : {"03-3520-1234", "O335201234", "0335201234\n", "033520123４"}) {
    fields = DescribeNumber(text, fixedLine);
    EXPECT_EQ(fields.kind, NumberKind::kUnknown) << text;
    EXPECT_EQ(fields.Formatted(), "") << text;
    ExpectNoPlace(fields, text);
  }
}

TEST(NumberShapes, AnAnswerReadOnceDescribesEveryNumberItIsGivenTo) {
  const auto* fixedLine = ReadAnswer(ToShiftJis("NTT固定（東京都新有明）"));
  ASSERT_NE(fixedLine, nullptr);
  EXPECT_EQ(ReadAnswer(ToShiftJis("NTT固定（東京都新有明")), nullptr);
  const NumberFields first = DescribeNumber("0335201234", fixedLine);
  const NumberFields second = DescribeNumber("0335289999", fixedLine);
  EXPECT_EQ(first.place, "新有明");
  EXPECT_EQ(second.place, "新有明");
  EXPECT_EQ(second.Formatted(), "03-3528-9999");
  EXPECT_EQ(DescribeNumber("0335201234", nullptr).kind, NumberKind::kUnknown);
  EXPECT_EQ(DescribeNumber("0335201234", nullptr).Formatted(), "03-3520-1234");
}

// What a writer finds by number and writes itself is what DescribeNumber gives: the formatted
// form written from the split, the charge area and holder named by their numbers, on every shape
// and on answers that do not fit the number.
TEST(NumberShapes, TheSplitNamesWhatDescribeNumberGives) {
  const std::string fixedLine = Detect("0335201234");
  for (const std::string digits :
       {"0335201234", "0123201234", "0126721234", "0110001234", "046021234", "046091234",
        "09012345678", "07012345678", "0120123456", "08001234567", "0990123456", "110", "117",
        "0501234567", "4125285263", "12345", "035201234a"}) {
    for (const std::string& answer : {Detect(digits), fixedLine}) {
      const NumberFields fields = DescribeNumber(digits, answer);
      const NumberSplit split = SplitNumber(digits, ReadAnswer(answer));
      EXPECT_EQ(split.kind, fields.kind) << digits;
      char written[32] = {};
      const char* const end = WriteFormatted(digits, split, written);
      EXPECT_EQ(std::string_view(written, static_cast<std::size_t>(end - written)),
                fields.Formatted())
          << digits;
      EXPECT_EQ(split.formatted, !fields.Formatted().empty()) << digits;
      EXPECT_EQ(ChargeAreaName(split.chargeArea), fields.ma) << digits;
      if (fields.kind == NumberKind::kFixed) {
        EXPECT_EQ(HolderName(split.holder), fields.carrier) << digits;
      }
    }
  }
}

}  // namespace
}  // namespace kobal::test
