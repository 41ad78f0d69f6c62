// kobal-lookup on POSIX systems: arguments, streams and files are bytes already.
#include "cli/Platform.h"

#include <fcntl.h>
#include <unistd.h>

namespace kobal::cli {

std::vector<std::string> Utf8Arguments(int argc, char** argv) { return {argv, argv + argc}; }

void PrepareStandardStreams(lookup::OutputEncoding /*encoding*/) {}

int OpenInput(const std::string& path) { return open(path.c_str(), O_RDONLY | O_CLOEXEC); }

void CloseInput(int fd) { close(fd); }

}  // namespace kobal::cli
