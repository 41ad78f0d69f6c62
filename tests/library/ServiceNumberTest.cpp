// The three-digit service numbers: every value 000 to 999, the shared texts and the 不明 values.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <map>
#include <string>

#include "KobalInternal.h"
#include "support/CheckedDetect.h"
#include "support/ShiftJis.h"

namespace kobal::test {
namespace {

// clang-format off
const std::map<int, std::string> kRows = {
    {100, "料金告知ｻｰﾋﾞｽ"}, {102, "臨時受付け用"}, {104, "電話番号案内"},
    {105, "旧電話番号案内"}, {106, "ｺﾚｸﾄｺｰﾙ、ｸﾚｼﾞｯﾄｺｰﾙ申込"}, {107, "新幹線電話申込"},
    {110, "警察への緊急通報"}, {111, "回線試験"}, {112, "共同相互"},
    {113, "故障受付・話中調査"}, {114, "絶縁試験"}, {115, "電報受付"},
    {116, "営業窓口"}, {117, "時報"}, {118, "海上保安機関への緊急通報"},
    {119, "消防・救急への緊急通報"}, {121, "ｸﾚｼﾞｯﾄ通話自動接続"}, {122, "着信課金"},
    {123, "加聴式料金即知"}, {124, "親展通信"}, {125, "電話会議"},
    {126, "着信課金"}, {127, "ﾌｧｸｼﾐﾘ伝言"}, {131, "第一種ﾊﾟｹｯﾄ交換ｻｰﾋﾞｽ"},
    {132, "第一種ﾊﾟｹｯﾄ交換ｻｰﾋﾞｽ"}, {133, "第一種ﾊﾟｹｯﾄ交換ｻｰﾋﾞｽ"}, {141, "でんわばんｻｰﾋﾞｽ設定、解除"},
    {142, "転送電話ｻｰﾋﾞｽ設定、解除"}, {143, "ﾌｧｸｼﾐﾘ・ﾎﾞｯｸｽ"}, {144, "迷惑電話お断りｻｰﾋﾞｽ"},
    {149, "用途不明"}, {161, "Fﾈｯﾄ"}, {162, "Fﾈｯﾄ"},
    {163, "DDX-TP"}, {164, "DDX-TP"}, {166, "ｷｬﾌﾟﾃﾝｼｽﾃﾑ"},
    {168, "ﾎﾞｲｽﾒｰﾙ"}, {169, "DDX-TP"}, {177, "天気予報"},
    {179, "ｷｬﾌﾟﾃﾝｼｽﾃﾑ"}, {181, "ID通知ｻｰﾋﾞｽ"},
};
// clang-format on

TEST(ServiceNumber, EveryThreeDigitValue) {
  ASSERT_EQ(kRows.size(), 41u);
  int unknownInRange = 0;
  for (int value = 0; value <= 999; ++value) {
    char input[8];
    std::snprintf(input, sizeof input, "%03d", value);
    const auto row = kRows.find(value);
    const std::string expected = row != kRows.end() ? row->second : "不明";
    EXPECT_EQ(ToUtf8(Detect(input)), expected) << "service number " << input;
    if (row == kRows.end() && value >= 100 && value <= 181) ++unknownInRange;
  }
  EXPECT_EQ(unknownInRange, 41);
}

TEST(ServiceNumber, TextsAreHalfWidthWhereWritten) {
  // Half-width katakana are one byte each: the longest text is 25 bytes, 149 is not 不明.
  EXPECT_EQ(Detect("141").size(), 25u);
  EXPECT_EQ(Detect("100").size(), 13u);
  EXPECT_EQ(Detect("168").size(), 7u);
  EXPECT_NE(Detect("149"), Detect("101"));
  EXPECT_EQ(Detect("149").size(), 8u);
}

TEST(ServiceNumber, ValuesOutsideTheTable) {
  for (const int32_t value : {INT32_MIN, -1, 0, 99, 182, 1000, INT32_MAX}) {
    char result[32];
    DetectServiceNumber(value, result);
    EXPECT_EQ(ToUtf8(result), "不明") << value;
  }
}

}  // namespace
}  // namespace kobal::test
