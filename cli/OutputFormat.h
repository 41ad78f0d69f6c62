// The output choices of kobal-lookup.
#pragma once

namespace kobal::cli {

enum class OutputFormat { kTsv, kCsv, kJsonLines };

// Shift-JIS writes the library's answers as they come; UTF-8 converts them.
enum class OutputEncoding { kUtf8, kShiftJis };

}  // namespace kobal::cli
