// Everything kobal-lookup asks of the system, and the only place that asks: POSIX in cli/posix/,
// Windows in cli/windows/ (the build picks one folder). Files and standard streams are file
// descriptors here; cli/Files.h makes them the lookup core's byte sources and sinks.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "lookup/lines/LineOptions.h"

namespace kobal::cli {

inline constexpr int kStandardInput = 0;
inline constexpr int kStandardOutput = 1;

// The program's arguments in UTF-8. Windows hands main() the ANSI code page, which cannot hold
// every file name, so they are read again from the wide command line there.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Standard input and output made ready for bytes: on Windows binary mode (no CRLF, no Ctrl-Z
// end), and a console behind standard output written as UTF-16 from output in `encoding`.
void PrepareStandardStreams(TextEncoding encoding);

// Opens the file named `path` (UTF-8) for reading: a file descriptor, or -1 with errno set.
int OpenInput(const std::string& path);
// Creates or empties the file named `path` for writing, the same way.
int CreateOutput(const std::string& path);
// 0, or -1 with errno set.
int CloseFile(int fd);

// One read from `fd`: the bytes read, 0 at the end (a pipe whose writer has gone included), or
// -1 with errno set.
std::ptrdiff_t ReadDescriptor(int fd, char* to, std::size_t size);
// One write to `fd`: the bytes written, or -1 with errno set; a closed pipe is EPIPE everywhere.
// On Windows, standard output on a console goes to the console as UTF-16.
std::ptrdiff_t WriteDescriptor(int fd, const char* data, std::size_t size);

// Puts the file `from` in the place of `to`, which may exist; false with errno set.
bool MoveIntoPlace(const std::string& from, const std::string& to);
void RemoveFile(const std::string& path);

// This process's number, to tell its temporary files from another's.
int ProcessId();

}  // namespace kobal::cli
