// kobal-lookup on POSIX systems: arguments, streams and files are bytes already.
#include "cli/Platform.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace kobal::cli {

static_assert(kStandardInput == STDIN_FILENO && kStandardOutput == STDOUT_FILENO);

std::vector<std::string> Utf8Arguments(int argc, char** argv) { return {argv, argv + argc}; }

void PrepareStandardStreams(TextEncoding /*encoding*/) {}

int OpenInput(const std::string& path) { return open(path.c_str(), O_RDONLY | O_CLOEXEC); }

int CreateOutput(const std::string& path) {
  return open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
}

int CloseFile(int fd) { return close(fd); }

std::ptrdiff_t ReadDescriptor(int fd, char* to, std::size_t size) { return read(fd, to, size); }

std::ptrdiff_t WriteDescriptor(int fd, const char* data, std::size_t size) {
  return write(fd, data, size);
}

bool MoveIntoPlace(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

void RemoveFile(const std::string& path) { std::remove(path.c_str()); }

int ProcessId() { return static_cast<int>(getpid()); }

}  // namespace kobal::cli
