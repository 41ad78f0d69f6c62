// Writes one output record per input line: the number as given, and the library's answer.
#pragma once

#include <optional>
#include <string_view>

#include "AnswerCache.h"
#include "OutputBuffer.h"
#include "OutputFormat.h"

namespace kobal::cli {

class RecordWriter {
 public:
  RecordWriter(OutputFormat format, OutputEncoding encoding, OutputBuffer& output);

  // `written` is the line as read, `number` what was passed to the library (none when it was
  // not asked), `answer` the library's Shift-JIS text.
  void Write(std::string_view written, std::optional<std::string_view> number,
             std::string_view answer);

 private:
  OutputFormat format_;
  OutputEncoding encoding_;
  OutputBuffer& output_;
  AnswerCache answers_;
};

}  // namespace kobal::cli
