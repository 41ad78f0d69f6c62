// The choices of a run of the lookup core, whoever makes them: a command line, a binding.
#pragma once

#include <optional>
#include <vector>

#include "encodings/TextEncoding.h"
#include "fields/Field.h"

namespace kobal::lookup {

enum class OutputFormat { kTsv, kCsv, kJsonLines };

struct LineOptions {
  bool raw = false;  // lines go to the library as read, not normalised
  OutputFormat format = OutputFormat::kTsv;
  // UTF-8 or Shift-JIS: Shift-JIS writes the library's answers as they come; UTF-8 converts them.
  TextEncoding encoding = TextEncoding::kUtf8;
  std::optional<TextEncoding> inputEncoding = std::nullopt;  // none: by the start, else each line
  bool status = false;        // a status field: "number" or "not-a-number"
  bool guardFormulas = true;  // CSV cells a spreadsheet would evaluate are written as text
  // The fields of each record, in order; none: the input, its number in JSON, the status when
  // asked, and the result.
  std::vector<Field> fields = {};
};

}  // namespace kobal::lookup
