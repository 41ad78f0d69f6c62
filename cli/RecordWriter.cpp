// Record layouts: "given<TAB>result", "given,result" (CRLF) and one JSON object per line.
#include "RecordWriter.h"

#include <cstring>

#include "FieldEscape.h"

namespace kobal::cli {
namespace {

char* Append(char* out, std::string_view bytes) {
  std::memcpy(out, bytes.data(), bytes.size());
  return out + bytes.size();
}

}  // namespace

RecordWriter::RecordWriter(OutputFormat format, OutputEncoding encoding, OutputBuffer& output)
    : format_(format), encoding_(encoding), output_(output), answers_(format, encoding) {}

void RecordWriter::Write(std::string_view written, std::optional<std::string_view> number,
                         std::string_view answer) {
  const std::string_view result = answers_.Field(answer);
  constexpr std::size_t kFraming = 48;  // separators, keys and line end of the largest layout
  char* out =
      output_.Reserve(MaxEscapedSize(written.size()) + MaxEscapedSize(number.value_or("").size()) +
                      result.size() + kFraming);
  switch (format_) {
    case OutputFormat::kTsv:
      out = WriteTsvField(written, out);
      *out++ = '\t';
      out = Append(out, result);
      *out++ = '\n';
      break;
    case OutputFormat::kCsv:
      out = WriteCsvField(written, encoding_ == OutputEncoding::kUtf8, out);
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

}  // namespace kobal::cli
