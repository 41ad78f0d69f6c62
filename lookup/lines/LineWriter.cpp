// Record layouts: "given<TAB>result", "given,result" (CRLF) and one JSON object per line.
#include "lookup/lines/LineWriter.h"

#include <cstring>
#include <string>

#include "lookup/records/RecordWriter.h"

namespace kobal::lookup {
namespace {

char* Append(char* out, std::string_view bytes) {
  std::memcpy(out, bytes.data(), bytes.size());
  return out + bytes.size();
}

constexpr std::size_t kFraming = 80;  // separators, keys, status and line end of the largest layout

// Numbers are a piece; most answers' tails, "\t", some 60 bytes of UTF-8 and "\n", are another.
constexpr std::size_t kDigitsPiece = 16;
constexpr std::size_t kTailPiece = 64;

// What comes between the last field before the result and the result, and after the result.
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

// The status field with what comes before it, for a number and for no number.
std::string_view StatusField(OutputFormat format, bool number) {
  switch (format) {
    case OutputFormat::kCsv:
      return number ? ",number" : ",not-a-number";
    case OutputFormat::kJsonLines:
      return number ? ",\"status\":\"number\"" : ",\"status\":\"not-a-number\"";
    default:
      return number ? "\tnumber" : "\tnot-a-number";
  }
}

// The fields before the result of a line of digits in JSON: out of line, so that the other
// formats' path keeps few registers to save.
[[gnu::noinline]] char* WriteJsonDigits(std::string_view digits, char* out) {
  out = Append(out, "{\"input\":\"");
  out = Append(out, digits);
  out = Append(out, "\",\"number\":\"");
  out = Append(out, digits);
  *out++ = '"';
  return out;
}

}  // namespace

LineWriter::LineWriter(OutputFormat format, TextEncoding encoding, OutputBuffer& output,
                       RecordExtras extras)
    : format_(format),
      extras_(extras),
      output_(output),
      answers_([format, encoding, extras](std::string_view answer) {
        // Kept with each answer, so that a record ends with one copy; the status of a number
        // leads it, so that the digits' path writes it at no cost.
        const std::string_view status = extras.status ? StatusField(format, true) : "";
        return std::string(status) + std::string(BeforeResult(format)) +
               AnswerField(answer, format, encoding) + std::string(AfterResult(format));
      }) {
  if (encoding == TextEncoding::kShiftJis) {
    inputBytes_ = FieldBytes::kShiftJis;
  } else {
    // TSV gives back the bytes as read; CSV files must decode as UTF-8.
    inputBytes_ = format == OutputFormat::kTsv ? FieldBytes::kKept : FieldBytes::kUtf8;
  }
}

std::string_view LineWriter::NoNumberTail(std::string_view tail, char*& out) const {
  if (!extras_.status) return tail;
  out = Append(out, StatusField(format_, false));
  return tail.substr(StatusField(format_, true).size());
}

void LineWriter::Write(std::string_view written, std::optional<std::string_view> number,
                       const AnswerBuffer& answer) {
  const std::string_view tail = answers_.Tail(answer);
  char* out = output_.Reserve(MaxEscapedSize(written.size()) +
                              MaxEscapedSize(number.value_or("").size()) + tail.size() + kFraming);
  switch (format_) {
    case OutputFormat::kTsv:
      out = WriteTsvField(written, inputBytes_, out);
      break;
    case OutputFormat::kCsv:
      out = WriteCsvCell(written, inputBytes_, {.guardFormulas = extras_.guardFormulas}, out);
      break;
    case OutputFormat::kJsonLines:
      out = Append(out, "{\"input\":");
      out = WriteJsonString(written, out);
      out = Append(out, ",\"number\":");
      out = number ? WriteJsonString(*number, out) : Append(out, "null");
      break;
  }
  const std::string_view rest = number ? tail : NoNumberTail(tail, out);
  output_.Commit(PaddedBuffer::CopyInPieces<kTailPiece>(out, rest));
}

void LineWriter::WriteDigits(std::string_view digits, const AnswerBuffer& answer,
                             std::uint32_t hash) {
  const std::string_view tail = answers_.Tail(answer, hash);
  char* out = output_.Reserve(2 * digits.size() + tail.size() + kFraming);
  out = format_ == OutputFormat::kJsonLines ? WriteJsonDigits(digits, out)
                                            : PaddedBuffer::CopyInPieces<kDigitsPiece>(out, digits);
  output_.Commit(PaddedBuffer::CopyInPieces<kTailPiece>(out, tail));
}

void LineWriter::BeginPieces() {
  char* out = output_.Reserve(kFraming);
  if (format_ == OutputFormat::kCsv) *out++ = '"';  // quoted, whatever the pieces hold
  piecesStarted_ = false;
  if (format_ == OutputFormat::kJsonLines) out = Append(out, "{\"input\":\"");
  output_.Commit(out);
}

void LineWriter::WritePiece(std::string_view text) {
  char* out = output_.Reserve(MaxEscapedSize(text.size()) + 1);
  if (format_ == OutputFormat::kCsv && extras_.guardFormulas && !piecesStarted_ &&
      LooksLikeFormula(text)) {
    *out++ = '\'';
  }
  piecesStarted_ = true;
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

void LineWriter::EndPieces(const AnswerBuffer& answer) {
  const std::string_view tail = answers_.Tail(answer);
  char* out = output_.Reserve(tail.size() + kFraming);
  if (format_ == OutputFormat::kCsv) out = Append(out, "\"");
  if (format_ == OutputFormat::kJsonLines) out = Append(out, "\",\"number\":null");
  const std::string_view rest = NoNumberTail(tail, out);
  output_.Commit(Append(out, rest));
}

}  // namespace kobal::lookup
