// The record writer's fast path for lines of digits against its general path: the same bytes in
// every format and output encoding, from lines at the very end of their padded block.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "lookup/LibraryAnswer.h"
#include "lookup/PaddedBuffer.h"
#include "lookup/lines/LineOptions.h"
#include "lookup/lines/LineWriter.h"
#include "lookup/lines/OutputBuffer.h"

namespace kobal::lookup {
namespace {

struct Output {
  OutputFormat format;
  TextEncoding encoding;
};

constexpr Output kOutputs[] = {
    {OutputFormat::kTsv, TextEncoding::kUtf8},       {OutputFormat::kTsv, TextEncoding::kShiftJis},
    {OutputFormat::kCsv, TextEncoding::kUtf8},       {OutputFormat::kCsv, TextEncoding::kShiftJis},
    {OutputFormat::kJsonLines, TextEncoding::kUtf8},
};

// Numbers of every length a block holds: service, toll-free, fixed-line, mobile, too long.
constexpr const char* kNumbers[] = {"110",         "0120444444",          "0312345678",
                                    "09012345678", "0312345678901234567", ""};

TEST(LineWriter, DigitsTakeTheFastPathToTheSameRecord) {
  for (const Output output : kOutputs) {
    OutputBuffer fast(OutputBuffer::kInMemory, 0);
    OutputBuffer general(OutputBuffer::kInMemory, 0);
    LineWriter fastWriter(output.format, output.encoding, fast);
    LineWriter generalWriter(output.format, output.encoding, general);
    for (const std::string_view number : kNumbers) {
      // The digits end their block, as the last line of an input does.
      PaddedBuffer block(number.size() + 1);
      number.copy(block.data(), number.size());
      block.ClearAfter(number.size());
      const std::string_view digits(block.data(), number.size());
      AnswerBuffer answer;
      AskLibrary(digits.data(), answer);
      fastWriter.WriteDigits(digits, answer, fastWriter.Prefetch(answer, {}));
      generalWriter.Write(digits, digits, answer);
    }
    ASSERT_FALSE(general.Buffered().empty());
    EXPECT_EQ(fast.Buffered(), general.Buffered())
        << static_cast<int>(output.format) << " " << static_cast<int>(output.encoding);
  }
}

TEST(LineWriter, LongLinesInPiecesEndLikeAWholeLineWithoutANumber) {
  for (const Output output : kOutputs) {
    OutputBuffer pieces(OutputBuffer::kInMemory, 0);
    OutputBuffer whole(OutputBuffer::kInMemory, 0);
    LineWriter piecesWriter(output.format, output.encoding, pieces);
    LineWriter wholeWriter(output.format, output.encoding, whole);
    AnswerBuffer unknown;
    AskLibrary("", unknown);
    // Text that no format leaves as it is: a comma, a quote, a tab and a backslash.
    const std::string text = "call, \"now\"\tor\\later";
    piecesWriter.BeginPieces();
    piecesWriter.WritePiece(text.substr(0, 7));
    piecesWriter.WritePiece(text.substr(7));
    piecesWriter.EndPieces(unknown);
    wholeWriter.Write(text, std::nullopt, unknown);
    EXPECT_EQ(pieces.Buffered(), whole.Buffered())
        << static_cast<int>(output.format) << " " << static_cast<int>(output.encoding);
  }
}

}  // namespace
}  // namespace kobal::lookup
