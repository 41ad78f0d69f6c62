// libFuzzer target: the normaliser gives digits or no number, input decoding gives the same
// UTF-8 whether a line comes whole or in pieces, and a line's record stays within the room its
// writer reserved, on any bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "encodings/LineDecoder.h"
#include "encodings/TextDetection.h"
#include "encodings/Utf16.h"
#include "encodings/Utf8.h"
#include "lookup/lines/LineAnswerer.h"
#include "lookup/lines/LineOptions.h"
#include "lookup/lines/LineWriter.h"
#include "lookup/lines/OutputBuffer.h"
#include "normaliser/NumberNormaliser.h"

namespace {

void Require(bool holds, const char* what) {
  if (!holds) {
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
  }
}

bool IsUtf8(std::string_view text) {
  std::size_t cut = 0;
  return kobal::IsValidUtf8(text, true, cut);
}

void CheckNormaliser(std::string_view text) {
  static std::string number;  // reused across inputs, as every caller reuses its buffer
  const bool isNumber = kobal::NormaliseNumber(text, number);
  if (!isNumber) return;
  Require(!number.empty(), "a number without digits");
  Require(number.size() <= text.size(), "a number longer than its text");
  for (const char c : number) Require(c >= '0' && c <= '9', "a number with a non-digit");
  std::string again;
  Require(kobal::NormaliseNumber(text, again) && again == number, "a second call differed");
}

// The line decoded whole, and in two pieces cut at `cut`, must agree.
void CheckLineDecoder(std::optional<kobal::TextEncoding> encoding, std::string_view line,
                      std::size_t cut) {
  kobal::LineDecoder whole(encoding);
  const std::string expected(whole.Decode(line));
  if (encoding != kobal::TextEncoding::kUtf8 && !IsUtf8(line)) {
    Require(IsUtf8(expected), "a decoded line is not UTF-8");
  }
  kobal::LineDecoder pieces(encoding);
  std::string joined(pieces.Decode(line.substr(0, cut), true, false));
  joined += pieces.Decode(line.substr(cut), false, true);
  // Per-line detection decides on the first piece, so only a fixed encoding must agree.
  if (encoding) {
    Require(joined == expected, "a line decoded in pieces differs from the whole");
  }
}

void CheckUtf16(std::string_view bytes, std::size_t cut) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  std::string whole(kobal::Utf16Decoder::MaxOutput(bytes.size()), '\0');
  kobal::Utf16Decoder one(false);
  whole.resize(
      static_cast<std::size_t>(one.Decode(data, bytes.size(), true, whole.data()) - whole.data()));
  Require(IsUtf8(whole), "UTF-16 decoded to something that is not UTF-8");
  std::string split(
      kobal::Utf16Decoder::MaxOutput(cut) + kobal::Utf16Decoder::MaxOutput(bytes.size() - cut),
      '\0');
  kobal::Utf16Decoder two(false);
  char* end = two.Decode(data, cut, false, split.data());
  end = two.Decode(data + cut, bytes.size() - cut, true, end);
  split.resize(static_cast<std::size_t>(end - split.data()));
  Require(split == whole, "UTF-16 decoded in two blocks differs from the whole");
}

// One record per line in every format and output encoding, normalised and raw: under the
// sanitizers any write past what the writer reserved fails here. Records that must decode as
// UTF-8 do, and each is one line.
void CheckRecords(std::string_view text) {
  using namespace kobal::lookup;
  using kobal::TextEncoding;
  const std::string line(text);  // followed by a NUL, as LineStream and argv give lines
  constexpr struct {
    OutputFormat format;
    TextEncoding encoding;
    bool utf8;  // the record must be valid UTF-8
  } kOutputs[] = {
      {OutputFormat::kTsv, TextEncoding::kUtf8, false},
      {OutputFormat::kTsv, TextEncoding::kShiftJis, false},
      {OutputFormat::kCsv, TextEncoding::kUtf8, true},
      {OutputFormat::kCsv, TextEncoding::kShiftJis, false},
      {OutputFormat::kJsonLines, TextEncoding::kUtf8, true},
  };
  for (const auto& output : kOutputs) {
    for (const bool raw : {false, true}) {
      OutputBuffer records(OutputBuffer::kInMemory, 0);
      LineWriter writer(output.format, output.encoding, records);
      LineAnswerer answerer(raw, writer);
      answerer.Answer(line);
      const std::string_view record = records.Buffered();
      Require(record.ends_with('\n'), "a record that does not end its line");
      if (output.utf8) Require(IsUtf8(record), "a UTF-8 record that is not UTF-8");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckNormaliser(text);
  CheckRecords(text);
  const std::size_t cut = size == 0 ? 0 : data[0] % (size + 1);
  const auto byLine = kobal::DetectEncoding(std::nullopt, text, kobal::Detection::kByLine);
  const auto byFile = kobal::DetectEncoding(std::nullopt, text, kobal::Detection::kByFile);
  Require(byLine.byteOrderMark <= size, "a byte order mark longer than the text");
  Require(byFile.byteOrderMark == byLine.byteOrderMark, "the two detections read the mark apart");
  Require(byFile.encoding.has_value(), "a file left undecided");
  for (const std::optional<kobal::TextEncoding> encoding :
       {std::optional<kobal::TextEncoding>(), std::optional(kobal::TextEncoding::kUtf8),
        std::optional(kobal::TextEncoding::kShiftJis)}) {
    CheckLineDecoder(encoding, text, cut);
  }
  CheckUtf16(text, cut);
  return 0;
}
