// Standard output on a Windows console: written as UTF-16 with WriteConsoleW, so that answers
// show right whatever the console's code page, instead of as bytes the console would misread.
#pragma once

#include <cstddef>

#include "lookup/lines/LineOptions.h"

namespace kobal::cli {

// Sends what is written to `fd` to its console from now on, when it is one (GetConsoleMode
// succeeds); the bytes are in `encoding`. Returns whether it is a console.
bool UseConsoleFor(int fd, TextEncoding encoding);

bool WritesToConsole(int fd);

// Writes bytes to the console: all of them, or -1 with errno set. A character cut at the end is
// kept for the next write.
std::ptrdiff_t WriteToConsole(const char* data, std::size_t size);

}  // namespace kobal::cli
