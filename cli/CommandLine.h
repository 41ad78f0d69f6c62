// The options and operands of kobal-lookup, and the texts of --help and --version.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "lookup/lines/LineOptions.h"
#include "lookup/records/RecordAnswerer.h"
#include "lookup/records/TextForm.h"

namespace kobal::cli {

struct CommandLine {
  lookup::LineOptions options;  // what the lookup core is told
  bool help = false;
  bool version = false;
  std::string inputPath;             // empty: the numbers, or standard input
  std::string outputPath;            // empty: standard output
  std::vector<const char*> numbers;  // operands, answered in order

  // Records: set by --column, --delimiter, --header or --format xlsx.
  bool records = false;
  bool xlsx = false;
  bool formatGiven = false;
  lookup::RecordOptions recordOptions;
  std::optional<TextEncoding> recordEncoding;  // none: the input's own
};

// Parses argv[1..] with getopt_long (short options combine, long ones abbreviate); on a usage
// error returns false with a one-line `error`.
bool ParseCommandLine(int argc, char** argv, CommandLine& commandLine, std::string& error);

const char* HelpText();
const char* VersionText();

}  // namespace kobal::cli
