// The lookup core's system calls on POSIX systems.
#include "lookup/Platform.h"

#include <string.h>
#include <unistd.h>

namespace kobal::lookup {

std::ptrdiff_t ReadDescriptor(int fd, char* to, std::size_t size) { return read(fd, to, size); }

std::ptrdiff_t WriteDescriptor(int fd, const char* data, std::size_t size) {
  return write(fd, data, size);
}

const char* FindLastByte(const char* data, char byte, std::size_t size) {
  return static_cast<const char*>(memrchr(data, byte, size));
}

}  // namespace kobal::lookup
