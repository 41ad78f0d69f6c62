// The lookup core's system calls on Windows: the C runtime's _read and _write, which take an
// unsigned count, with a closed pipe reported as EPIPE (the runtime says EINVAL or leaves the
// Windows error unmapped), and standard output sent to the console when Console.h says so.
#include "lookup/Platform.h"

#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <climits>

#include "lookup/windows/Console.h"

namespace kobal::lookup {
namespace {

// Counts the runtime takes and returns as an int.
unsigned Clamp(std::size_t size) {
  return static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX));
}

bool IsPipe(int fd) {
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  return handle != INVALID_HANDLE_VALUE && GetFileType(handle) == FILE_TYPE_PIPE;
}

}  // namespace

std::ptrdiff_t ReadDescriptor(int fd, char* to, std::size_t size) {
  const int got = _read(fd, to, Clamp(size));
  // A pipe whose writer has gone is the end of the input, as on POSIX.
  if (got < 0 && GetLastError() == ERROR_BROKEN_PIPE) return 0;
  return got;
}

std::ptrdiff_t WriteDescriptor(int fd, const char* data, std::size_t size) {
  if (WritesToConsole(fd)) return WriteToConsole(data, size);
  SetLastError(ERROR_SUCCESS);
  const int written = _write(fd, data, Clamp(size));
  if (written >= 0) return written;
  const DWORD error = GetLastError();
  if (error == ERROR_NO_DATA || error == ERROR_BROKEN_PIPE || (errno == EINVAL && IsPipe(fd))) {
    errno = EPIPE;
  }
  return -1;
}

const char* FindLastByte(const char* data, char byte, std::size_t size) {
  for (const char* p = data + size; p != data;) {
    if (*--p == byte) return p;
  }
  return nullptr;
}

}  // namespace kobal::lookup
