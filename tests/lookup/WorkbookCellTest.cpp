// A workbook cell's text at Excel's limit, counted as Excel counts (a character beyond U+FFFF is
// two), and the column widths taken from the cells.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lookup/records/WorkbookCell.h"

namespace kobal::lookup {
namespace {

std::string Repeat(std::string_view piece, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text += piece;
  return text;
}

struct Cut {
  std::string text;
  std::vector<std::string> warnings;
};

Cut CellOf(const std::string& text) {
  Cut cut;
  cut.text = WorkbookCellText(text, 7, 2, [&](const std::string& w) { cut.warnings.push_back(w); });
  return cut;
}

TEST(WorkbookCellText, KeepsATextAtTheLimitAndCutsOneBeyondItToTheLimit) {
  const std::string full = Repeat("長", kMaxCellCharacters);
  const Cut kept = CellOf(full);
  EXPECT_EQ(kept.text, full);
  EXPECT_TRUE(kept.warnings.empty());

  const Cut over = CellOf(full + "x");
  EXPECT_EQ(over.text, Repeat("長", kMaxCellCharacters - 1) + "…");
  ASSERT_EQ(over.warnings.size(), 1u);
  EXPECT_EQ(over.warnings[0],
            "record 7, column 3: a cell of 32768 characters is cut to Excel's 32767, ending in …");
}

TEST(WorkbookCellText, CountsACharacterBeyondTheBasicPlaneAsTwoAndNeverSplitsIt) {
  // 16,384 emoji are 32,768 code units: over, although only as many code points.
  const Cut over = CellOf(Repeat("😀", 16384));
  ASSERT_EQ(over.warnings.size(), 1u);
  EXPECT_NE(over.warnings[0].find("a cell of 32768 characters"), std::string::npos);
  // 32,766 units leave room for the mark but not for one more emoji.
  EXPECT_EQ(over.text, Repeat("😀", 16383) + "…");

  const std::string fits = Repeat("😀", 16383) + "a";
  EXPECT_EQ(CellOf(fits).text, fits);
}

TEST(WorkbookCellText, ShowsANulAsTheReplacementCharacterAndKeepsWhatFollows) {
  EXPECT_EQ(CellOf(std::string("a\0b\0", 4)).text, "a\uFFFDb\uFFFD");
}

TEST(DisplayWidth, JapaneseIsTwoWideHalfWidthKanaOneAndTheWidestLineCounts) {
  EXPECT_EQ(DisplayWidth("03-3520"), 7u);
  EXPECT_EQ(DisplayWidth("東京"), 4u);
  EXPECT_EQ(DisplayWidth("ﾄｳｷｮｳ"), 5u);
  EXPECT_EQ(DisplayWidth("ab\n東京都\nc"), 6u);
  EXPECT_EQ(DisplayWidth(""), 0u);
}

TEST(ColumnWidths, GiveRoomForTheWidestCellWithinBounds) {
  ColumnWidths widths;
  widths.Reset(2);
  widths.Widen(0, "東京都千代田区");  // 14
  widths.Widen(0, "117");
  widths.Widen(3, std::string(200, 'x'));  // a column beyond those reset
  EXPECT_EQ(widths.size(), 4u);
  EXPECT_DOUBLE_EQ(widths.Width(0), 14 * 1.1 + 2);
  EXPECT_DOUBLE_EQ(widths.Width(1), 8);   // never narrower than a number
  EXPECT_DOUBLE_EQ(widths.Width(3), 60);  // nor wider than a screen
  EXPECT_DOUBLE_EQ(widths.Width(9), 8);
}

}  // namespace
}  // namespace kobal::lookup
