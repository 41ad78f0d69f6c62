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

}  // namespace

RecordWriter::RecordWriter(OutputFormat format, OutputEncoding encoding, OutputBuffer& output)
    : format_(format), output_(output), answers_(format, encoding) {
  if (encoding == OutputEncoding::kShiftJis) {
    inputBytes_ = FieldBytes::kShiftJis;
  } else {
    // TSV gives back the bytes as read; CSV files must decode as UTF-8.
    inputBytes_ = format == OutputFormat::kTsv ? FieldBytes::kKept : FieldBytes::kUtf8;
  }
}

void RecordWriter::Write(std::string_view written, std::optional<std::string_view> number,
                         const AnswerCache::AnswerBuffer& answer) {
  const std::string_view result = answers_.Field(answer);
  char* out =
      output_.Reserve(MaxEscapedSize(written.size()) + MaxEscapedSize(number.value_or("").size()) +
                      result.size() + kFraming);
  switch (format_) {
    case OutputFormat::kTsv:
      out = WriteTsvField(written, inputBytes_, out);
      *out++ = '\t';
      out = Append(out, result);
      *out++ = '\n';
      break;
    case OutputFormat::kCsv:
      out = WriteCsvField(written, inputBytes_, out);
      *out++ = ',';
      out = Append(out, result);
      out = Append(out, "\r\n");
      break;
    case OutputFormat::kJsonLines:
      out = Append(out, "{\"input\":");
      out = WriteJsonString(written, out);
      out = Append(out, ",\"number\":");
      out = number ? WriteJsonString(*number, out) : Append(out, "null");
      out = Append(out, ",\"result\":");
      out = Append(out, result);
      out = Append(out, "}\n");
      break;
  }
  output_.Commit(out);
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
  const std::string_view result = answers_.Field(answer);
  char* out = output_.Reserve(result.size() + kFraming);
  switch (format_) {
    case OutputFormat::kTsv:
      *out++ = '\t';
      out = Append(out, result);
      *out++ = '\n';
      break;
    case OutputFormat::kCsv:
      out = Append(out, "\",");
      out = Append(out, result);
      out = Append(out, "\r\n");
      break;
    case OutputFormat::kJsonLines:
      out = Append(out, "\",\"number\":null,\"result\":");
      out = Append(out, result);
      out = Append(out, "}\n");
      break;
  }
  output_.Commit(out);
}

}  // namespace kobal::cli
