// The few calls the lookup core needs from the operating system: POSIX in lookup/posix/, the C
// runtime of Windows in lookup/windows/. The build picks one of the two files.
#pragma once

#include <cstddef>

namespace kobal::lookup {

// One read from `fd`: the bytes read, 0 at the end, -1 with errno set on an error.
std::ptrdiff_t ReadDescriptor(int fd, char* to, std::size_t size);

// One write to `fd`: the bytes written, or -1 with errno set; a closed pipe is EPIPE everywhere.
std::ptrdiff_t WriteDescriptor(int fd, const char* data, std::size_t size);

// The last `byte` among the `size` bytes at `data`, or nullptr.
const char* FindLastByte(const char* data, char byte, std::size_t size);

}  // namespace kobal::lookup
