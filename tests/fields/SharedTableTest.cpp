// The shared table of fields (tests/support/fields.tsv) that the tests of every front end read:
// its number rows are what the normaliser, the library and DescribeNumber make of the input, and
// its other rows have every field but input, status and result empty.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "Describe.h"
#include "fields/Field.h"
#include "normaliser/NumberNormaliser.h"
#include "support/FieldsTable.h"
#include "support/ShiftJis.h"

namespace kobal::test {
namespace {

using Row = FieldsRow;

std::vector<Row> ReadSharedTable(Row& header) {
  std::vector<Row> rows = ReadFieldsTable(KOBAL_FIELDS_TABLE);
  EXPECT_FALSE(rows.empty());
  if (rows.empty()) return rows;
  header = rows.front();
  rows.erase(rows.begin());
  return rows;
}

TEST(SharedTable, EveryRowIsWhatTheInputGives) {
  Row header;
  const std::vector<Row> rows = ReadSharedTable(header);
  ASSERT_EQ(header.size(), static_cast<std::size_t>(kFieldCount));
  for (int i = 0; i < kFieldCount; ++i) EXPECT_EQ(header[i], FieldName(static_cast<Field>(i)));
  ASSERT_GE(rows.size(), 30u);
  std::set<std::string> kinds, statuses;
  for (const Row& row : rows) {
    ASSERT_EQ(row.size(), static_cast<std::size_t>(kFieldCount)) << row[0];
    const auto cell = [&row](Field field) -> const std::string& {
      return row[static_cast<std::size_t>(field)];
    };
    const std::string &input = cell(Field::kInput), &number = cell(Field::kNumber),
                      &formatted = cell(Field::kFormatted), &status = cell(Field::kStatus),
                      &kind = cell(Field::kKind), &prefecture = cell(Field::kPrefecture),
                      &place = cell(Field::kPlace), &ma = cell(Field::kMa),
                      &carrier = cell(Field::kCarrier), &region = cell(Field::kRegion),
                      &result = cell(Field::kResult);
    statuses.insert(status);
    std::string digits;
    const bool isNumber = NormaliseNumber(input, digits);
    EXPECT_EQ(status, isNumber ? "number" : "not-a-number") << input;
    if (!isNumber) {
      EXPECT_EQ(number + formatted + kind + prefecture + place + ma + carrier + region, "")
          << input;
      EXPECT_EQ(result, "不明") << input;
      continue;
    }
    EXPECT_EQ(number, digits) << input;
    EXPECT_EQ(result, ToUtf8(Detect(digits))) << input;
    const NumberFields fields = Describe(digits);
    EXPECT_EQ(formatted, fields.Formatted()) << input;
    EXPECT_EQ(kind, KindName(fields.kind)) << input;
    EXPECT_EQ(prefecture, fields.prefecture) << input;
    EXPECT_EQ(place, fields.place) << input;
    EXPECT_EQ(ma, fields.ma) << input;
    EXPECT_EQ(carrier, fields.carrier) << input;
    EXPECT_EQ(region, fields.region) << input;
    kinds.insert(kind);
  }
  // Every kind and both statuses of a line stand in the table.
  EXPECT_EQ(kinds.size(), 7u);
  EXPECT_EQ(statuses, (std::set<std::string>{"number", "not-a-number"}));
}

}  // namespace
}  // namespace kobal::test
