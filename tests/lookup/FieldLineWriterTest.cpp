// Records of chosen fields: every line's values are what TextAnswerer gives for its text, however
// the lines with one answer alternate between words and statuses (segments are made once and
// reused), and the fast path of digits and a long line in pieces write what the general path does.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/LibraryAnswer.h"
#include "lookup/PaddedBuffer.h"
#include "lookup/TextAnswer.h"
#include "lookup/lines/FieldLineWriter.h"
#include "lookup/lines/LineStream.h"
#include "lookup/lines/OutputBuffer.h"

namespace kobal::lookup {
namespace {

std::vector<Field> Fields(std::string_view list) { return *ParseFieldList(list, nullptr); }

// Lines whose answers share words and statuses in every way: 不明 for no number, for a key of
// the list (with its charge area) and for none; one carrier's mobile and PHS; fixed lines of one
// place under two keys.
const std::vector<std::string> kLines = {
    "abc",         "092-711-1234", "0110001234",  "03-3520-XXXX",  "075-320-1234",  "",
    "0112012345",  "011-201-2345", "09010012345", "07051012345",   "0120-123-456",  "117",
    "0460-2-1234", "09074512345",  "07060012345", "0800-123-4567", "0335201234567", "110"};

// A line of digits through the fast path, as the line stream gives it (the digits end their
// padded block, the library asked about them), and the same line through the general path.
void WriteBothWays(std::string_view number, FieldLineWriter& fast, FieldLineWriter& general) {
  PaddedBuffer block(number.size() + 1);
  number.copy(block.data(), number.size());
  block.ClearAfter(number.size());
  const std::string_view digits(block.data(), number.size());
  AnswerBuffer answer;
  AskLibrary(digits.data(), answer);
  fast.WriteDigits(digits, answer, fast.Prefetch(answer, FieldLineWriter::ShapeOf(digits)));
  general.Write(digits, digits, answer);
}

std::vector<std::string> Split(std::string_view text, char by) {
  std::vector<std::string> parts;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(by, start);
    parts.emplace_back(text.substr(start, end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

TEST(FieldLineWriter, EveryLineHoldsTheValuesOfItsText) {
  std::mt19937 random(20000401);
  std::vector<std::string> lines;
  for (int round = 0; round < 20; ++round) {
    std::vector<std::string> shuffled = kLines;
    std::shuffle(shuffled.begin(), shuffled.end(), random);
    lines.insert(lines.end(), shuffled.begin(), shuffled.end());
  }
  std::string input;
  for (const std::string& line : lines) input += line + "\n";

  for (const std::string_view list : {"all", "result,kind,place,formatted", "ma,carrier,status"}) {
    const std::vector<Field> fields = Fields(list);
    OutputBuffer output(OutputBuffer::kInMemory, 0);
    LineStream stream(LineOptions{.fields = fields}, output);
    stream.Feed(input);
    stream.Finish();
    const std::vector<std::string> records = Split(output.Buffered(), '\n');
    ASSERT_EQ(records.size(), lines.size() + 1) << list;
    TextAnswerer answerer;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      answerer.Answer(lines[i]);
      std::vector<std::string> expected;
      for (const Field field : fields) expected.emplace_back(answerer.Text(field, lines[i]));
      EXPECT_EQ(Split(records[i], '\t'), expected) << list << ": " << lines[i];
    }
  }
}

struct Output {
  OutputFormat format;
  TextEncoding encoding;
};

constexpr Output kOutputs[] = {
    {OutputFormat::kTsv, TextEncoding::kUtf8},       {OutputFormat::kTsv, TextEncoding::kShiftJis},
    {OutputFormat::kCsv, TextEncoding::kUtf8},       {OutputFormat::kCsv, TextEncoding::kShiftJis},
    {OutputFormat::kJsonLines, TextEncoding::kUtf8},
};

constexpr std::string_view kLists[] = {"all", "result,input,formatted", "input",
                                       "kind,number,carrier,ma"};

TEST(FieldLineWriter, DigitsAndPiecesWriteWhatTheGeneralPathDoes) {
  AnswerBuffer unknown;
  AskLibrary("", unknown);
  for (const Output output : kOutputs) {
    for (const std::string_view list : kLists) {
      OutputBuffer fast(OutputBuffer::kInMemory, 0);
      OutputBuffer general(OutputBuffer::kInMemory, 0);
      FieldLineWriter fastWriter(Fields(list), output.format, output.encoding, fast, true);
      FieldLineWriter generalWriter(Fields(list), output.format, output.encoding, general, true);
      for (const std::string_view number : {"110", "0120444444", "0312345678", "09012345678",
                                            "0312345678901234567", "0110001234"}) {
        WriteBothWays(number, fastWriter, generalWriter);
      }
      // Text that no format leaves as it is, and a formula's start.
      const std::string text = "=call, \"now\"\tor\\later";
      fastWriter.BeginPieces();
      fastWriter.WritePiece(text.substr(0, 7));
      fastWriter.WritePiece(text.substr(7));
      fastWriter.EndPieces(unknown);
      generalWriter.Write(text, std::nullopt, unknown);
      EXPECT_EQ(fast.Buffered(), general.Buffered())
          << list << " " << static_cast<int>(output.format) << " "
          << static_cast<int>(output.encoding);
    }
  }
}

// A record made once serves every line with its answer, length and split: lines with one answer
// (不明 most of all) but keys of other charge areas, holders or area code lengths, other lengths
// of digits, and lines around the longest written from one, each written as the general path
// writes them however they follow one another.
TEST(FieldLineWriter, LinesOfOneAnswerAndOtherSplitsAreKeptApart) {
  std::vector<std::string> numbers = {"0110001234",
                                      "0110009999",
                                      "0123201234",
                                      "0126721234",
                                      "0335201234",
                                      "0112012345",
                                      "0460212345",
                                      "046021234",
                                      "046091234",
                                      "09012345678",
                                      "0901234567",
                                      "0800123456",
                                      "110",
                                      "11",
                                      "1",
                                      "1100",
                                      "12345678",
                                      "123456789012345",
                                      "1234567890123456",
                                      "12345678901234567",
                                      "0120444444",
                                      "01204444444",
                                      "0990123456"};
  std::mt19937 random(20260401);
  std::vector<std::string> lines;
  for (int round = 0; round < 8; ++round) {
    std::shuffle(numbers.begin(), numbers.end(), random);
    lines.insert(lines.end(), numbers.begin(), numbers.end());
  }
  for (const Output output : kOutputs) {
    for (const std::string_view list : {"all", "ma,formatted,carrier,input", "formatted"}) {
      OutputBuffer fast(OutputBuffer::kInMemory, 0);
      OutputBuffer general(OutputBuffer::kInMemory, 0);
      FieldLineWriter fastWriter(Fields(list), output.format, output.encoding, fast, false);
      FieldLineWriter generalWriter(Fields(list), output.format, output.encoding, general, false);
      for (const std::string& number : lines) {
        WriteBothWays(number, fastWriter, generalWriter);
        ASSERT_EQ(fast.Buffered(), general.Buffered()) << list << ": " << number;
      }
    }
  }
}

// Records of lines of digits are found by a hash of their answer, length and shape, looked up a
// batch ahead of writing: thousands of lines of many answers, keys and lengths, whose records are
// made (and their table grown) while later lines of the batch hold what was looked up before,
// each take the record of their own answer and split, as the general path writes them.
TEST(FieldLineWriter, ManyRecordsMadeAmidBatchesServeOnlyTheirOwnLines) {
  std::mt19937 random(20261209);
  constexpr std::size_t kLengths[] = {3, 9, 10, 10, 10, 11, 11, 12, 16};
  std::vector<std::string> lines;
  std::string input;
  while (lines.size() < 6000) {
    std::string number(1, random() % 4 == 0 ? '1' : '0');
    const std::size_t size = kLengths[random() % std::size(kLengths)];
    while (number.size() < size) number += static_cast<char>('0' + random() % 10);
    if (!DigitsGoAsTheyStand(number, false)) continue;  // normalised first
    input += number + "\n";
    lines.push_back(std::move(number));
  }
  for (const Output output : kOutputs) {
    const LineOptions options{
        .format = output.format, .encoding = output.encoding, .fields = Fields("all")};
    OutputBuffer fast(OutputBuffer::kInMemory, 0);
    LineStream stream(options, fast);
    stream.Feed(input);
    stream.Finish();
    OutputBuffer general(OutputBuffer::kInMemory, 0);
    FieldLineWriter generalWriter(options.fields, output.format, output.encoding, general,
                                  options.guardFormulas);
    for (const std::string& line : lines) {
      AnswerBuffer answer;
      AskLibrary(line.c_str(), answer);
      generalWriter.Write(line, line, answer);
    }
    const std::vector<std::string> records = Split(fast.Buffered(), '\n');
    const std::vector<std::string> expected = Split(general.Buffered(), '\n');
    ASSERT_EQ(records.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
      ASSERT_EQ(records[i], expected[i]) << static_cast<int>(output.format) << " "
                                         << static_cast<int>(output.encoding) << ": " << lines[i];
    }
  }
}

}  // namespace
}  // namespace kobal::lookup
