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
// Creates or empties the file named `path` for writing, the same way.
int CreateOutput(const std::string& path);
// 0, or -1 with errno set.
int CloseFile(int fd);

// Puts the file `from` in the place of `to`, which may exist; false with errno set.
bool MoveIntoPlace(const std::string& from, const std::string& to);
void RemoveFile(const std::string& path);

// This process's number, to tell its temporary files from another's.
int ProcessId();

}  // namespace kobal::cli
