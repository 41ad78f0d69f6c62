// The options and operands of kobal-lookup, and the texts of --help and --version.
#pragma once

#include <string>
#include <vector>

#include "lookup/LookupOptions.h"

namespace kobal::cli {

struct CommandLine {
  lookup::LookupOptions options;  // what the lookup core is told
  bool help = false;
  bool version = false;
  std::string inputPath;             // empty: the numbers, or standard input
  std::vector<const char*> numbers;  // operands, answered in order
};

// Parses argv[1..]; on a usage error returns false with a one-line `error`.
bool ParseCommandLine(int argc, char** argv, CommandLine& commandLine, std::string& error);

const char* HelpText();
const char* VersionText();

}  // namespace kobal::cli
