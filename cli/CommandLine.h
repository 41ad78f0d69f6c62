// The options and operands of kobal-lookup, and the texts of --help and --version.
#pragma once

#include <string>
#include <vector>

#include "InputEncoding.h"
#include "OutputFormat.h"

namespace kobal::cli {

struct CommandLine {
  bool raw = false;
  bool help = false;
  bool version = false;
  OutputFormat format = OutputFormat::kTsv;
  OutputEncoding encoding = OutputEncoding::kUtf8;
  InputEncoding inputEncoding = InputEncoding::kAuto;
  std::string inputPath;             // empty: the numbers, or standard input
  std::vector<const char*> numbers;  // operands, answered in order
};

// Parses argv[1..]; on a usage error returns false with a one-line `error`.
bool ParseCommandLine(int argc, char** argv, CommandLine& commandLine, std::string& error);

const char* HelpText();
const char* VersionText();

}  // namespace kobal::cli
