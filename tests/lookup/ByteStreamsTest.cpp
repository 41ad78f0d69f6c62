// The lookup core's reading and writing through a byte source and sink, without files: input
// cut anywhere (a CR from its LF, a UTF-16 pair, a byte order mark, a Shift-JIS character) reads
// as the same lines, a source that fails ends the lines before it, and a sink that refuses stops
// the run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/ByteStreams.h"
#include "lookup/lines/LineOptions.h"
#include "lookup/lines/LineStream.h"
#include "lookup/lines/OutputBuffer.h"

namespace kobal::lookup {
namespace {

// Gives `bytes` in reads of at most `step` bytes, then the end, or a failure after `failAfter`.
class ScriptedSource final : public ByteSource {
 public:
  ScriptedSource(std::string bytes, std::size_t step, std::size_t failAfter = std::string::npos)
      : bytes_(std::move(bytes)), step_(step), failAfter_(failAfter) {}

  std::ptrdiff_t Read(char* to, std::size_t size) override {
    EXPECT_GT(size, 0u);
    if (given_ >= failAfter_) return kFailed;
    const std::size_t count =
        std::min({size, step_, bytes_.size() - given_, failAfter_ - std::min(failAfter_, given_)});
    bytes_.copy(to, count, given_);
    given_ += count;
    return static_cast<std::ptrdiff_t>(count);
  }
  std::size_t Given() const { return given_; }

 private:
  std::string bytes_;
  std::size_t step_;
  std::size_t failAfter_;
  std::size_t given_ = 0;
};

// Collects what is written; refuses every write from the `refuseFrom`th on.
class CollectingSink final : public ByteSink {
 public:
  explicit CollectingSink(std::size_t refuseFrom = std::string::npos) : refuseFrom_(refuseFrom) {}

  bool Write(std::string_view bytes) override {
    EXPECT_FALSE(bytes.empty());
    if (writes_++ >= refuseFrom_) return false;
    text_ += bytes;
    return true;
  }
  const std::string& Text() const { return text_; }
  std::size_t Writes() const { return writes_; }

 private:
  std::size_t refuseFrom_;
  std::string text_;
  std::size_t writes_ = 0;
};

struct Answered {
  std::string output;
  bool readFailed;
};

// What the core writes for `input` given `step` bytes at a time, through a small output buffer.
Answered Answer(const std::string& input, std::size_t step, const LineOptions& options = {},
                std::size_t failAfter = std::string::npos) {
  ScriptedSource source(input, step, failAfter);
  CollectingSink sink;
  OutputBuffer output(&sink, 256);
  LineStream lines(options, output);
  const bool read = AnswerLines(source, lines, output);
  output.Flush();
  EXPECT_FALSE(output.Failed());
  return {sink.Text(), !read};
}

std::string Utf16(std::u16string_view text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

// The output for `input` in every format, raw or not, read whole and read `steps` bytes at a time.
void ExpectTheSameRecordsCutAnywhere(const std::string& input,
                                     const std::vector<std::size_t>& steps) {
  for (const bool raw : {false, true}) {
    for (const OutputFormat format :
         {OutputFormat::kTsv, OutputFormat::kCsv, OutputFormat::kJsonLines}) {
      const LineOptions options{.raw = raw, .format = format, .status = true};
      const Answered whole = Answer(input, input.size(), options);
      ASSERT_FALSE(whole.readFailed);
      ASSERT_FALSE(whole.output.empty());
      for (const std::size_t step : steps) {
        const Answered cut = Answer(input, step, options);
        EXPECT_FALSE(cut.readFailed);
        const auto [cutAt, wholeAt] = std::mismatch(cut.output.begin(), cut.output.end(),
                                                    whole.output.begin(), whole.output.end());
        EXPECT_TRUE(cutAt == cut.output.end() && wholeAt == whole.output.end())
            << "step " << step << " raw " << raw << " format " << static_cast<int>(format)
            << ": differs at byte " << (cutAt - cut.output.begin()) << ": "
            << std::string_view(cutAt, cut.output.end()).substr(0, 40) << " | "
            << std::string_view(wholeAt, whole.output.end()).substr(0, 40);
      }
    }
  }
}

TEST(ByteStreams, InputCutAnywhereGivesTheSameRecords) {
  const std::vector<std::string> inputs = {
      "0312345678\r\n117\r\n03-3520-1234\r\n\r\n0120-444-444",
      "117\n\xEF\xBC\x90\xEF\xBC\x93 3520 1234\nTEL 0312345678\n=1+1\n\"x\"\t\\\n",
      Utf16(u"0312345678\r\n\u2121 03-3520-1234\r\n\U0001F4DE 117\r\n", false),
      Utf16(u"0312345678\r\n\u2121 03-3520-1234\r\n\U0001F4DE 117", true),
      "\x93\x64\x98\x62 0312345678\r\n\x82\x50\x82\x50\x82\x57\r\n",  // Shift-JIS 電話, １１７
  };
  for (const std::string& input : inputs) {
    ExpectTheSameRecordsCutAnywhere(input, {1, 2, 3, 5, 7, 64, 1 << 20});
  }
}

// The man page's rule: a line longer than 64 KiB is read in pieces and answered as no number,
// whether its end happens to be in the buffer already or not.
TEST(ByteStreams, LongLinesComeInPiecesHoweverTheInputIsCut) {
  const std::string longest(65535, '1');  // with its CR, a piece: in pieces
  const std::string input = "117\n" + std::string(70000, '7') + "\r\n" + longest + "\n" + longest +
                            "\r\n" + std::string(65536, '2') + "\n117";
  ExpectTheSameRecordsCutAnywhere(input, {64, 4093, 65537});
  const LineOptions withStatus{.status = true};
  EXPECT_EQ(Answer(longest + "\n", 1 << 20, withStatus).output,
            longest + "\tnumber\t\xE4\xB8\x8D\xE6\x98\x8E\n");  // 不明, asked
  for (const std::string& line : {longest + "\r", std::string(65536, '2')}) {
    EXPECT_EQ(Answer(line + "\n", 1 << 20, withStatus).output,
              line.substr(0, line.find('\r')) + "\tnot-a-number\t\xE4\xB8\x8D\xE6\x98\x8E\n");
  }
}

// Bytes fed from memory, cut anywhere, read as the same lines as bytes read from a source.
TEST(ByteStreams, BytesFedInPiecesGiveWhatASourceGives) {
  const std::string input = Utf16(u"0312345678\r\n\u2121 117\r\n\U0001F4DE 117\n" +
                                      std::u16string(70000, u'7') + u"\r\n0120444444\r",
                                  false);
  const LineOptions options{.format = OutputFormat::kCsv, .status = true};
  const std::string read = Answer(input, 1 << 20, options).output;
  for (const std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{65537}}) {
    CollectingSink sink;
    OutputBuffer output(&sink, 256);
    LineStream lines(options, output);
    for (std::size_t at = 0; at < input.size(); at += piece) {
      lines.Feed(std::string_view(input).substr(at, piece));
    }
    lines.Finish();
    output.Flush();
    EXPECT_EQ(sink.Text(), read) << piece;
  }
}

TEST(ByteStreams, Utf16AndCrLfReadAsTheirUtf8Lines) {
  const std::string utf8 = Answer("0312345678\n\xE2\x84\xA1 117\n", 1 << 20).output;
  for (const std::size_t step : {1, 2, 3, 5, 7, 64}) {
    EXPECT_EQ(Answer("0312345678\r\n\xE2\x84\xA1 117\r\n", step).output, utf8) << step;
    EXPECT_EQ(Answer(Utf16(u"0312345678\r\n\u2121 117\r\n", false), step).output, utf8) << step;
    EXPECT_EQ(Answer(Utf16(u"0312345678\n\u2121 117", true), step).output, utf8) << step;
  }
}

TEST(ByteStreams, AFailingSourceEndsTheLinesBeforeIt) {
  const std::string input = "117\n0312345678\n0120444444\n";
  const std::string twoLines = Answer(input.substr(0, 15), 1 << 20).output;
  for (const std::size_t step : {std::size_t{1}, std::size_t{4}, std::size_t{1} << 20}) {
    // The failure comes inside the third line: it is not answered, cut short or whole.
    const Answered run = Answer(input, step, {}, 18);
    EXPECT_TRUE(run.readFailed);
    EXPECT_EQ(run.output, twoLines) << step;
  }
  const Answered atOnce = Answer(input, 1 << 20, {}, 0);
  EXPECT_TRUE(atOnce.readFailed);
  EXPECT_EQ(atOnce.output, "");
}

TEST(ByteStreams, ARefusingSinkStopsTheRun) {
  std::string input;
  for (int i = 0; i < 300000; ++i) input += "117\n";
  ScriptedSource source(input, 1 << 20);
  CollectingSink sink(0);
  OutputBuffer output(&sink, 256);
  LineStream lines({}, output);
  EXPECT_TRUE(AnswerLines(source, lines, output));
  output.Flush();
  EXPECT_TRUE(output.Failed());
  EXPECT_EQ(sink.Writes(), 1u);             // nothing more is offered to a sink that failed
  EXPECT_LT(source.Given(), input.size());  // and the rest of the input is not read
}

TEST(ByteStreams, OutputGoesToTheSinkInLargeWrites) {
  std::string input;
  for (int i = 0; i < 100000; ++i) input += "0312345678\n";
  ScriptedSource source(input, 1 << 20);
  CollectingSink sink;
  OutputBuffer output(&sink);
  LineStream lines({}, output);
  EXPECT_TRUE(AnswerLines(source, lines, output));
  output.Flush();
  EXPECT_FALSE(output.Failed());
  EXPECT_EQ(std::count(sink.Text().begin(), sink.Text().end(), '\n'), 100000);
  EXPECT_LE(sink.Writes(), sink.Text().size() / (std::size_t{1} << 19) + 1);
}

}  // namespace
}  // namespace kobal::lookup
