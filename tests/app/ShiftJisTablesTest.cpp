// Every text the library can answer decodes, through Qt's Shift_JIS codec, to its UTF-8 source.
#include <gtest/gtest.h>

#include <QFile>
#include <QSet>
#include <QString>
#include <QStringList>
#include <string>

#include "ShiftJis.h"
#include "tables/Tables.h"

namespace {

using kobal::app::DecodeShiftJis;

// The "|"-separated fields of the non-comment lines of a table source.
QList<QStringList> SourceRows(const char* name) {
  QFile file(QStringLiteral(KOBAL_TABLES_DIR "/") + QLatin1String(name));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
  QList<QStringList> rows;
  for (const QByteArray& line : file.readAll().split('\n')) {
    const QString text = QString::fromUtf8(line).trimmed();
    if (text.isEmpty() || text.startsWith('#')) continue;
    rows.append(text.split('|'));
  }
  return rows;
}

TEST(ShiftJisTables, ServiceTextsIncludingHalfWidthKatakana) {
  const QList<QStringList> rows = SourceRows("service-numbers.txt");
  ASSERT_FALSE(rows.isEmpty());
  bool sawHalfWidth = false;
  for (const QStringList& row : rows) {
    const int value = row[0].toInt();
    ASSERT_GE(value, kobal::tables::kServiceFirst);
    const char* text = kobal::tables::kServiceAnswers[value - kobal::tables::kServiceFirst].text;
    EXPECT_EQ(DecodeShiftJis(text), row[1]) << value;
    if (row[1].contains(QChar(u'ｻ'))) sawHalfWidth = true;
  }
  EXPECT_TRUE(sawHalfWidth);
}

TEST(ShiftJisTables, ExchangeAnswers) {
  int checked = 0;
  for (int group = 1; group <= 7; ++group) {
    const std::string name = "exchange-" + std::to_string(group) + ".txt";
    const QList<QStringList> rows = SourceRows(name.c_str());
    const kobal::ExchangeTable& table = kobal::tables::kExchangeTables[group];
    ASSERT_EQ(table.rowCount, rows.size()) << name;
    for (int row = 0; row < table.rowCount; ++row) {
      EXPECT_EQ(DecodeShiftJis(table.rows[row].answer.text),
                QStringLiteral("NTT固定（") + rows[row][0] + QStringLiteral("）"))
          << name << ":" << row;
      ++checked;
    }
  }
  EXPECT_GT(checked, 0);
}

TEST(ShiftJisTables, MobileCarrierTexts) {
  QSet<QString> carriers{QString()};  // "--" stands for the empty answer
  for (const QStringList& row : SourceRows("mobile-carriers.txt")) {
    carriers.insert(row[1] == QStringLiteral("--") ? QString() : row[1]);
  }
  for (int group = 0; group < kobal::tables::kMobileGroupCount; ++group) {
    for (int block = 0; block < kobal::tables::kMobileBlockCount; ++block) {
      const uint8_t carrier = kobal::tables::kMobileBlockCarriers[group][block];
      const char* text = kobal::tables::kMobileCarrierAnswers[carrier].text;
      EXPECT_TRUE(carriers.contains(DecodeShiftJis(text))) << group << ":" << block;
    }
  }
}

TEST(ShiftJisTables, NineDigitAndFixedTexts) {
  const QList<QStringList> rows = SourceRows("nine-digit.txt");
  ASSERT_EQ(rows.size(), kobal::tables::kNineDigitCount);
  for (int row = 0; row < kobal::tables::kNineDigitCount; ++row) {
    EXPECT_EQ(DecodeShiftJis(kobal::tables::kNineDigit[row].answer.text), rows[row][1]);
  }
  EXPECT_EQ(DecodeShiftJis(kobal::tables::kUnknown), QStringLiteral("不明"));
  EXPECT_EQ(DecodeShiftJis(kobal::tables::kFreeDial), QStringLiteral("フリーダイヤル"));
  EXPECT_EQ(DecodeShiftJis(kobal::tables::kDialQ2), QStringLiteral("ダイヤルQ2"));
  EXPECT_EQ(DecodeShiftJis(kobal::tables::kFixedLineOpen), QStringLiteral("NTT固定（"));
  EXPECT_EQ(DecodeShiftJis(kobal::tables::kFixedLineClose), QStringLiteral("）"));
}

TEST(ShiftJisTables, NumbersEncodeAsPlainAscii) {
  EXPECT_EQ(kobal::app::EncodeShiftJis(QStringLiteral("09012345678")), QByteArray("09012345678"));
  EXPECT_EQ(kobal::app::EncodeShiftJis(QString()), QByteArray());
}

}  // namespace
