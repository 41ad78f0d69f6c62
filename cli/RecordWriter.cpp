// Record layouts: "given<TAB>result", "given,result" (CRLF) and one JSON object per line.
#include "RecordWriter.h"

#include <cstring>

namespace kobal::cli {
namespace {

char* Append(char* out, std::string_view bytes) {
  std::memcpy(out, bytes.data(), bytes.size());
  return out + bytes.size();
}

constexpr std::size_t kFraming = 48;  // separators, keys and line end of the largest layout

// Copies `bytes` in whole pieces of `kPiece` bytes: a short part of a record in a few moves,
// with no call and, for most, no second round of the loop, whose end the processor would
// mispredict as often as the lengths vary. Reads and writes up to kPiece - 1 bytes past the
// ends, which the caller makes room for.
template <std::size_t kPiece>
char* AppendInPieces(char* out, std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size(); i += kPiece) {
    std::memcpy(out + i, bytes.data() + i, kPiece);
  }
  return out + bytes.size();
}

// Numbers are a piece; most answers' tails, "\t", some 60 bytes of UTF-8 and "\n", are another.
constexpr std::size_t kDigitsPiece = RecordWriter::kDigitsSlack + 1;
constexpr std::size_t kTailPiece = AnswerCache::kTailPiece;
static_assert(kDigitsPiece - 1 <= kFraming);

// What comes between the last field before the result and the result, and after the result:
// kept with each cached answer, so that a record ends with one copy.
std::string_view BeforeResult(OutputFormat format) {
  switch (format) {
    case OutputFormat::kCsv:
      return ",";
    case OutputFormat::kJsonLines:
      return ",\"result\":";
    default:
      return "\t";
  }
}

std::string_view AfterResult(OutputFormat format) {
  switch (format) {
    case OutputFormat::kCsv:
      return "\r\n";
    case OutputFormat::kJsonLines:
      return "}\n";
    default:
      return "\n";
  }
}

}  // namespace

RecordWriter::RecordWriter(OutputFormat format, OutputEncoding encoding, OutputBuffer& output)
    : format_(format),
      output_(output),
      answers_(format, encoding, BeforeResult(format), AfterResult(format)) {
  if (encoding == OutputEncoding::kShiftJis) {
    inputBytes_ = FieldBytes::kShiftJis;
  } else {
    // TSV gives back the bytes as read; CSV files must decode as UTF-8.
    inputBytes_ = format == OutputFormat::kTsv ? FieldBytes::kKept : FieldBytes::kUtf8;
  }
}

void RecordWriter::Write(std::string_view written, std::optional<std::string_view> number,
                         const AnswerCache::AnswerBuffer& answer) {
  const std::string_view tail = answers_.Tail(answer);
  char* out =
      output_.Reserve(MaxEscapedSize(written.size()) + MaxEscapedSize(number.value_or("").size()) +
                      tail.size() + kFraming + kTailPiece);
  switch (format_) {
    case OutputFormat::kTsv:
      out = WriteTsvField(written, inputBytes_, out);
      break;
    case OutputFormat::kCsv:
      out = WriteCsvField(written, inputBytes_, out);
      break;
    case OutputFormat::kJsonLines:
      out = Append(out, "{\"input\":");
      out = WriteJsonString(written, out);
      out = Append(out, ",\"number\":");
      out = number ? WriteJsonString(*number, out) : Append(out, "null");
      break;
  }
  output_.Commit(AppendInPieces<kTailPiece>(out, tail));
}

void RecordWriter::WriteDigits(std::string_view digits, const AnswerCache::AnswerBuffer& answer,
                               std::uint32_t hash) {
  const std::string_view tail = answers_.Tail(answer, hash);
  char* out = output_.Reserve(2 * digits.size() + tail.size() + kFraming + kTailPiece);
  if (format_ == OutputFormat::kJsonLines) {
    out = Append(out, "{\"input\":\"");
    out = Append(out, digits);
    out = Append(out, "\",\"number\":\"");
    out = Append(out, digits);
    *out++ = '"';
  } else {
    out = AppendInPieces<kDigitsPiece>(out, digits);
  }
  output_.Commit(AppendInPieces<kTailPiece>(out, tail));
}

void RecordWriter::BeginPieces() {
  char* out = output_.Reserve(kFraming);
  if (format_ == OutputFormat::kCsv) *out++ = '"';  // quoted, whatever the pieces hold
  if (format_ == OutputFormat::kJsonLines) out = Append(out, "{\"input\":\"");
  output_.Commit(out);
}

void RecordWriter::WritePiece(std::string_view text) {
  char* out = output_.Reserve(MaxEscapedSize(text.size()));
  switch (format_) {
    case OutputFormat::kTsv:
      out = WriteTsvField(text, inputBytes_, out);
      break;
    case OutputFormat::kCsv:
      out = WriteCsvText(text, inputBytes_, out);
      break;
    case OutputFormat::kJsonLines:
      out = WriteJsonText(text, out);
      break;
  }
  output_.Commit(out);
}

void RecordWriter::EndPieces(const AnswerCache::AnswerBuffer& answer) {
  const std::string_view tail = answers_.Tail(answer);
  char* out = output_.Reserve(tail.size() + kFraming + kTailPiece);
  if (format_ == OutputFormat::kCsv) out = Append(out, "\"");
  if (format_ == OutputFormat::kJsonLines) out = Append(out, "\",\"number\":null");
  output_.Commit(Append(out, tail));
}

}  // namespace kobal::cli
