// The record path of the lookup core: RFC 4180 reading in any chunking, whole-file encodings,
// the CSV writer read back by the reader, and the answers a record gets.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "lookup/records/CellAnswer.h"
#include "lookup/records/RecordAnswerer.h"
#include "lookup/records/RecordReader.h"
#include "lookup/records/RecordStream.h"
#include "lookup/records/RecordWriter.h"
#include "lookup/records/TextForm.h"

namespace kobal::lookup {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// Reads `text` fed in pieces of `piece` bytes (0: whole).
Rows ReadAll(std::string_view text, char delimiter = ',', std::size_t piece = 0,
             std::vector<Record>* records = nullptr) {
  RecordReader reader(delimiter);
  Rows rows;
  Record record;
  const std::size_t step = piece == 0 ? text.size() + 1 : piece;
  for (std::size_t at = 0;; at += step) {
    const bool final = at + step >= text.size();
    reader.Feed(text.substr(std::min(at, text.size()), step), final);
    while (reader.Next(record)) {
      std::vector<std::string> cells;
      for (const Cell& cell : record.cells) cells.push_back(cell.text);
      rows.push_back(cells);
      if (records != nullptr) records->push_back(record);
    }
    if (final) break;
  }
  return rows;
}

TEST(RecordReader, QuotedCellsHoldDelimitersQuotesAndLineBreaksInAnyChunking) {
  const std::string text =
      "氏名,電話番号,住所\r\n"
      "\"佐藤, 花子\",03-3520-1234,\"大阪府\r\n大阪市\"\r\n"
      "\"say \"\"hi\"\"\",,\"a\nb\rc\"\r\n"
      ",,\r\n";
  const Rows expected = {{"氏名", "電話番号", "住所"},
                         {"佐藤, 花子", "03-3520-1234", "大阪府\r\n大阪市"},
                         {"say \"hi\"", "", "a\nb\rc"},
                         {"", "", ""}};
  for (const std::size_t piece : {0, 1, 2, 3, 7}) {
    EXPECT_EQ(ReadAll(text, ',', piece), expected) << piece;
  }
}

TEST(RecordReader, RecordsEndAtCrLfOrCrlfAndTheFirstIsKept) {
  for (const std::string_view end : {"\r\n", "\n", "\r"}) {
    const std::string text = "a,b" + std::string(end) + "\"c" + std::string(end) + "d\",e" +
                             std::string(end) + "f";  // the last record has no end
    for (const std::size_t piece : {0, 1}) {
      RecordReader reader(',');
      reader.Feed(text, true);
      EXPECT_EQ(reader.RecordEnd(), end);
      EXPECT_EQ(ReadAll(text, ',', piece),
                (Rows{{"a", "b"}, {"c" + std::string(end) + "d", "e"}, {"f"}}));
    }
  }
  EXPECT_EQ(ReadAll("a\tb\tc\n", '\t'), (Rows{{"a", "b", "c"}}));
}

TEST(RecordReader, BrokenQuotingIsToldWithTheRecordAndItsLineAndNothingShifts) {
  std::vector<Record> records;
  const Rows rows =
      ReadAll("a,b\r\n1,x\"y\r\n\"q\"z,2\r\n\"multi\r\nline\",3\r\n4,\"never closed\r\n5,6\r\n",
              ',', 0, &records);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[1], (std::vector<std::string>{"1", "x\"y"}));
  EXPECT_EQ(rows[2], (std::vector<std::string>{"qz", "2"}));
  EXPECT_EQ(rows[4], (std::vector<std::string>{"4", "never closed\r\n5,6\r\n"}));
  EXPECT_TRUE(records[0].problem.empty());
  EXPECT_NE(records[1].problem.find("quote"), std::string::npos);
  EXPECT_NE(records[2].problem.find("closing quote"), std::string::npos);
  EXPECT_TRUE(records[3].problem.empty());
  EXPECT_NE(records[4].problem.find("never closed"), std::string::npos);
  EXPECT_EQ(records[4].number, 5u);
  EXPECT_EQ(records[4].line, 6u);  // the quoted line break counts
}

TEST(TextForm, AByteOrderMarkIsSkippedAndWrittenBack) {
  std::size_t skip = 0;
  const TextForm marked = DetectTextForm(std::nullopt, "\xEF\xBB\xBF電話", skip);
  EXPECT_EQ(marked.encoding, TextEncoding::kUtf8);
  EXPECT_TRUE(marked.byteOrderMark);
  EXPECT_EQ(skip, 3u);
  EXPECT_FALSE(DetectTextForm(std::nullopt, "電話", skip).byteOrderMark);
  EXPECT_EQ(skip, 0u);
}

TEST(RecordWriter, WhatItWritesReadsBackCellForCellAndFormulasBecomeText) {
  const std::vector<std::string> cells = {
      "plain", "a,b", "say \"hi\"", "two\r\nlines", "", "=1+1", "+81 3", "-", "@x", "\tx", "a=b"};
  for (const char delimiter : {',', '\t', ';'}) {
    DelimitedLayout layout{delimiter, "\r\n", {}, false};
    std::string raw;
    AppendDelimitedRecord(cells, layout, raw);
    EXPECT_EQ(ReadAll(raw, delimiter), Rows{cells});
    layout.guardFormulas = true;
    std::string guarded;
    AppendDelimitedRecord(cells, layout, guarded);
    const Rows read = ReadAll(guarded, delimiter);
    ASSERT_EQ(read.size(), 1u);
    for (std::size_t i = 0; i < cells.size(); ++i) {
      EXPECT_EQ(read[0][i], LooksLikeFormula(cells[i]) ? "'" + cells[i] : cells[i]);
    }
  }
  EXPECT_TRUE(LooksLikeFormula("\r1"));
  EXPECT_FALSE(LooksLikeFormula("0120"));
}

TEST(CellAnswerer, StatusesAndSeveralNumbersInOneCell) {
  // The cells of number, status and result, as a record gets them unless others are chosen.
  CellAnswerer answerer(false, RecordOptions{}.fields);
  const auto cells = [&answerer](std::string_view cell, bool missing = false) {
    return answerer.Answer(cell, missing).cells;
  };
  const auto one = cells("TEL 03-3520-1234");
  EXPECT_EQ(one[0], "0335201234");
  EXPECT_EQ(one[1], "number");
  const auto unplaced = cells("0999999999");
  const auto text = cells("03-3520-XXXX");
  EXPECT_EQ(unplaced[1], "number");
  EXPECT_EQ(text[1], "not-a-number");
  EXPECT_EQ(unplaced[2], text[2]);  // both 不明: the status tells them apart
  EXPECT_EQ(cells(" ")[1], "empty");
  EXPECT_EQ(cells("", true)[1], "missing");
  const auto two = cells("090-1234-5678\n03-3520-1234、不明な番号");
  EXPECT_EQ(two[0], "09012345678\n0335201234\n");
  EXPECT_EQ(two[1], "number\nnumber\nnot-a-number");
  EXPECT_EQ(std::count(two[2].begin(), two[2].end(), '\n'), 2);
  EXPECT_EQ(cells("東京, 大阪")[1], "not-a-number");  // not a list
}

TEST(CellAnswerer, ChosenFieldsGiveOneLinePerPartAndNothingForNoText) {
  CellAnswerer answerer(false, {Field::kFormatted, Field::kInput, Field::kKind, Field::kMa,
                                Field::kStatus, Field::kResult});
  const CellAnswer two = answerer.Answer("0112012345、090-1234-5678", false);
  EXPECT_TRUE(two.number);
  EXPECT_EQ(two.cells,
            (std::vector<std::string>{"011-201-2345\n090-1234-5678", "0112012345\n090-1234-5678",
                                      "fixed\nmobile", "札幌\n", "number\nnumber",
                                      "NTT固定（北海道札幌大通）\nツーカーセルラー東海"}));
  // A blank cell keeps its text as the input; only status and result say anything.
  EXPECT_EQ(answerer.Answer("  ", false).cells,
            (std::vector<std::string>{"", "  ", "", "", "empty", "不明"}));
  const CellAnswer text = answerer.Answer("03-3520-XXXX", false);
  EXPECT_FALSE(text.number);
  EXPECT_EQ(text.cells,
            (std::vector<std::string>{"", "03-3520-XXXX", "", "", "not-a-number", "不明"}));
}

struct Collected : RowSink {
  Rows rows;
  std::vector<bool> headers;
  void Row(std::span<const std::string> cells, bool header, std::size_t) override {
    rows.emplace_back(cells.begin(), cells.end());
    headers.push_back(header);
  }
};

Rows Answered(RecordOptions options, std::string_view text, std::vector<std::string>* warnings,
              std::vector<bool>* headers = nullptr) {
  Collected sink;
  RecordAnswerer answerer(std::move(options), sink,
                          [warnings](const std::string& w) { warnings->push_back(w); });
  answerer.Feed(text, true);
  if (headers != nullptr) *headers = sink.headers;
  return sink.rows;
}

TEST(RecordAnswerer, ColumnsByNameOrNumberAnswerInPlaceAndShortRecordsKeepTheirColumns) {
  std::vector<std::string> warnings;
  const Rows rows = Answered({.columns = {"FAX", "2"}},
                             "氏名,電話番号,FAX\n山田,117,0120444444\n鈴木\n", &warnings);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"氏名", "電話番号", "FAX", "FAX:number",
                                               "FAX:status", "FAX:result", "電話番号:number",
                                               "電話番号:status", "電話番号:result"}));
  EXPECT_EQ(rows[1][3], "0120444444");
  EXPECT_EQ(rows[1][6], "117");
  EXPECT_EQ(rows[2].size(), rows[0].size());  // padded: the answers stay in their columns
  EXPECT_EQ(rows[2][4], "missing");
  ASSERT_EQ(warnings.size(), 1u);  // once for the record, not once a column
  EXPECT_NE(warnings[0].find("record 3"), std::string::npos);
}

TEST(RecordAnswerer, TheHeaderIsFoundAndAColumnItLacksIsAnErrorNamingWhatItHas) {
  std::vector<std::string> warnings;
  std::vector<bool> headers;
  Answered({.columns = {"1"}}, "117\n0120444444\n", &warnings, &headers);
  EXPECT_EQ(headers, (std::vector<bool>{false, false}));
  Answered({.columns = {"1"}}, "番号\n117\n", &warnings, &headers);
  EXPECT_EQ(headers, (std::vector<bool>{true, false}));
  Answered({.columns = {"1"}, .header = HeaderRow::kAbsent}, "番号\n117\n", &warnings, &headers);
  EXPECT_EQ(headers, (std::vector<bool>{false, false}));
  try {
    Answered({.columns = {"TEL"}}, "氏名,電話番号\n", &warnings);
    FAIL() << "no error";
  } catch (const ColumnError& error) {
    EXPECT_NE(std::string(error.what()).find("氏名, 電話番号"), std::string::npos);
  }
  EXPECT_THROW(Answered({.columns = {"TEL"}}, "TEL,TEL\n", &warnings), ColumnError);
  EXPECT_EQ(GuessDelimiter("a\tb\t\"c,d,e\""), '\t');
  EXPECT_EQ(GuessDelimiter("a;b;c"), ';');
  const std::vector<Cell> header = {{"氏名"}, {"FAX"}, {"電話番号"}};
  EXPECT_EQ(TelephoneColumns(header), (std::vector<std::size_t>{2, 1}));
}

// The bytes a record stream writes for `input` fed in pieces of `piece` bytes (0: whole).
std::string Streamed(const RecordOptions& options, std::string_view input, std::size_t piece,
                     std::vector<std::string>* told = nullptr, std::size_t* untold = nullptr) {
  std::string out;
  RecordStream stream(options, [told](const std::string& w) {
    if (told != nullptr) told->push_back(w);
  });
  stream.Begin(nullptr, [&out](std::string_view bytes) { out += bytes; });
  const std::size_t step = piece == 0 ? input.size() + 1 : piece;
  for (std::size_t at = 0; at < input.size(); at += step) stream.Feed(input.substr(at, step));
  stream.Finish();
  if (untold != nullptr) *untold = stream.Untold();
  return out;
}

TEST(RecordStream, AnyCuttingOfTheBytesWritesTheSameRecordsInTheInputsOwnForm) {
  const RecordOptions options{.columns = {"電話番号"}};
  const std::string sjis =
      "\x8E\x81\x96\xBC,\x93\x64\x98\x62\x94\xD4\x8D\x86\r\n"
      "\x8E\x52\x93\x63,03-3520-1234\r\n\"=1+1\",117";  // 氏名,電話番号 ...
  std::string utf16 = "\xFF\xFE";
  for (const char c : std::string_view("name\ttel\nx\t0120444444\n")) {
    utf16 += c;  // ASCII, as UTF-16LE
    utf16 += '\0';
  }
  for (const auto& [input, chosen] :
       {std::pair<std::string, RecordOptions>{sjis, options},
        {"\xEF\xBB\xBF\xE9\x9B\xBB\xE8\xA9\xB1\xE7\x95\xAA\xE5\x8F\xB7\n03-3520-1234\n", options},
        {utf16, RecordOptions{.columns = {"2"}}}}) {
    const std::string whole = Streamed(chosen, input, 0);
    ASSERT_FALSE(whole.empty());
    EXPECT_EQ(Streamed(chosen, input, 1), whole);
    EXPECT_EQ(Streamed(chosen, input, 3), whole);
  }
  const std::string written = Streamed(options, sjis, 1);
  EXPECT_TRUE(written.starts_with("\x8E\x81\x96\xBC,"));    // Shift-JIS stays Shift-JIS
  EXPECT_NE(written.find("\"'=1+1\""), std::string::npos);  // guarded by default
  EXPECT_TRUE(written.ends_with("\r\n"));                   // the last record ended as the others
}

TEST(RecordStream, DefaultsAndChoicesOfTheWrittenRecords) {
  // A single record shows no record end: CR LF, as Excel writes.
  EXPECT_EQ(Streamed({.columns = {"1"}}, "117", 0), "117,117,number,\xE6\x99\x82\xE5\xA0\xB1\r\n");
  RecordOptions chosen{.columns = {"1"}};
  chosen.outputDelimiter = '\t';
  chosen.outputEncoding = TextEncoding::kUtf16LittleEndian;
  chosen.guardFormulas = false;
  const std::string written = Streamed(chosen, "=1\n", 0);
  EXPECT_EQ(written.substr(0, 8), std::string("\xFF\xFE=\0"
                                              "1\0\t\0",
                                              8));
  EXPECT_TRUE(written.ends_with(std::string("\n\0", 2)));  // the input's own record end
}

TEST(RecordStream, WarningsAreToldUpToTheCapAndTheRestCounted) {
  std::string input = "tel,x\n";
  for (int i = 0; i < 150; ++i) input += "117\n";  // each lacks the second cell
  std::vector<std::string> told;
  std::size_t untold = 0;
  Streamed({.columns = {"1", "2"}}, input, 0, &told, &untold);
  EXPECT_EQ(told.size(), 100u);
  EXPECT_EQ(untold, 50u);
  RecordOptions fewer{.columns = {"1", "2"}};
  fewer.warningsTold = 3;
  told.clear();
  Streamed(fewer, input, 7, &told, &untold);
  EXPECT_EQ(told.size(), 3u);
  EXPECT_EQ(untold, 147u);
}

}  // namespace
}  // namespace kobal::lookup
