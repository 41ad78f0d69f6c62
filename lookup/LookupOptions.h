// The choices of a run of the lookup core, whoever makes them: a command line, a binding.
#pragma once

#include "encodings/InputEncoding.h"

namespace kobal::lookup {

enum class OutputFormat { kTsv, kCsv, kJsonLines };

// Shift-JIS writes the library's answers as they come; UTF-8 converts them.
enum class OutputEncoding { kUtf8, kShiftJis };

struct LookupOptions {
  bool raw = false;  // lines go to the library as read, not normalised
  OutputFormat format = OutputFormat::kTsv;
  OutputEncoding encoding = OutputEncoding::kUtf8;
  InputEncoding inputEncoding = InputEncoding::kAuto;
  bool status = false;        // a status field: "number" or "not-a-number"
  bool guardFormulas = true;  // CSV cells a spreadsheet would evaluate are written as text
};

}  // namespace kobal::lookup
