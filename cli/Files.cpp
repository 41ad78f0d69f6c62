// Files and standard streams through the calls of cli/Platform.h.
#include "cli/Files.h"

#include <cerrno>

#include "cli/Platform.h"

namespace kobal::cli {

InputFile::InputFile(const std::string& path)
    : name_(path.empty() || path == "-" ? "standard input" : path),
      standard_(path.empty() || path == "-"),
      fd_(standard_ ? kStandardInput : OpenInput(path)) {
  if (fd_ < 0) error_ = errno;
}

InputFile::~InputFile() {
  if (fd_ >= 0 && !standard_) CloseFile(fd_);
}

std::ptrdiff_t InputFile::Read(char* to, std::size_t size) {
  for (;;) {
    const std::ptrdiff_t got = ReadDescriptor(fd_, to, size);
    if (got >= 0) return got;
    if (errno == EINTR) continue;
    error_ = errno;
    return kFailed;
  }
}

OutputFile::OutputFile(const std::string& path)
    : name_(path.empty() ? "standard output" : path),
      temporary_(path.empty() ? "" : path + ".part" + std::to_string(ProcessId())),
      fd_(path.empty() ? kStandardOutput : -1) {}

OutputFile::~OutputFile() {
  if (temporary_.empty()) return;
  if (fd_ >= 0) CloseFile(fd_);
  if (!kept_) RemoveFile(temporary_);
}

bool OutputFile::Open() {
  if (temporary_.empty()) return true;
  fd_ = CreateOutput(temporary_);
  if (fd_ < 0) error_ = errno;
  return fd_ >= 0;
}

bool OutputFile::Write(std::string_view bytes) {
  while (!bytes.empty() && error_ == 0) {
    const std::ptrdiff_t written = WriteDescriptor(fd_, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno != EINTR) error_ = errno;
      continue;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return error_ == 0;
}

bool OutputFile::Keep() {
  if (temporary_.empty()) return true;
  if (fd_ >= 0 && CloseFile(fd_) != 0) {
    error_ = errno;
    return false;
  }
  fd_ = -1;
  if (!MoveIntoPlace(temporary_, name_)) {
    error_ = errno;
    return false;
  }
  kept_ = true;
  return true;
}

}  // namespace kobal::cli
