// What kobal-lookup asks of its platform beyond the lookup core: POSIX in cli/posix/, Windows in
// cli/windows/. The build picks one of the two files.
#pragma once

#include <string>
#include <vector>

#include "lookup/LookupOptions.h"

namespace kobal::cli {

// The program's arguments in UTF-8. Windows hands main() the ANSI code page, which cannot hold
// every file name, so they are read again from the wide command line there.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Standard input and output made ready for bytes: on Windows binary mode (no CRLF, no Ctrl-Z
// end), and a console written as UTF-16 from output in `encoding`.
void PrepareStandardStreams(lookup::OutputEncoding encoding);

// Opens the file named `path` (UTF-8) for reading: a file descriptor, or -1 with errno set.
int OpenInput(const std::string& path);
void CloseInput(int fd);

}  // namespace kobal::cli
