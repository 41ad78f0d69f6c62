// The names of the fields as every front end's option takes them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fields/Field.h"

namespace kobal {
namespace {

std::string Names(const std::vector<Field>& fields) {
  std::string names;
  for (Field field : fields) {
    if (!names.empty()) names += ',';
    names += FieldName(field);
  }
  return names;
}

TEST(FieldList, AllIsEveryFieldInTheAnswersOrder) {
  const auto fields = ParseFieldList("all", nullptr);
  ASSERT_TRUE(fields.has_value());
  ASSERT_EQ(fields->size(), static_cast<std::size_t>(kFieldCount));
  EXPECT_EQ(Names(*fields),
            "input,number,formatted,status,kind,prefecture,place,ma,carrier,region,result");
}

TEST(FieldList, NamesKeepTheOrderGivenAndTheirBlanksAreDropped) {
  std::string error;
  const auto fields = ParseFieldList(" kind,formatted , input", &error);
  ASSERT_TRUE(fields.has_value()) << error;
  EXPECT_EQ(Names(*fields), "kind,formatted,input");
  EXPECT_EQ(Names(*ParseFieldList("result", nullptr)), "result");
}

TEST(FieldList, BadListsNameTheFaultAndTheValidNames) {
  struct Case {
    const char* list;
    const char* named;  // what the message must hold beside the valid names
  };
  const Case cases[] = {
      {"", "empty"},
      {"number,,kind", "empty"},
      {"number,", "empty"},
      {"number,prefectur", "\"prefectur\""},
      {"Number", "\"Number\""},
      {"kind,number,kind", "\"kind\" is given twice"},
      {"all,input", "\"all\""},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(ParseFieldList(c.list, &error).has_value()) << c.list;
    EXPECT_NE(error.find(c.named), std::string::npos) << c.list << ": " << error;
    EXPECT_NE(error.find("input, number, formatted"), std::string::npos) << error;
    EXPECT_FALSE(ParseFieldList(c.list, nullptr).has_value()) << c.list;
  }
}

}  // namespace
}  // namespace kobal
