// Buffered output through writes, retried on interruption and short writes.
#include "lookup/OutputBuffer.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "lookup/Platform.h"

namespace kobal::lookup {
OutputBuffer::OutputBuffer(int fd, std::size_t capacity) : fd_(fd), buffer_(capacity) {}

void OutputBuffer::Grow(std::size_t capacity) {
  PaddedBuffer grown(capacity);
  std::memcpy(grown.data(), buffer_.data(), used_);
  buffer_.swap(grown);
}

char* OutputBuffer::MakeRoom(std::size_t size) {
  if (fd_ == kInMemory) {
    Grow(std::max(buffer_.size() * 2, used_ + size));
  } else {
    Flush();
    if (buffer_.size() < size) Grow(size);  // one record larger than the buffer
  }
  return buffer_.data() + used_;
}

void OutputBuffer::Flush() {
  if (fd_ == kInMemory) return;
  WriteOut(buffer_.data(), used_);
  used_ = 0;
}

void OutputBuffer::WriteOut(const char* data, std::size_t left) {
  while (left > 0 && error_ == 0) {
    const std::ptrdiff_t written = WriteDescriptor(fd_, data, left);
    if (written < 0) {
      if (errno != EINTR) error_ = errno;
      continue;
    }
    data += written;
    left -= static_cast<std::size_t>(written);
  }
}

}  // namespace kobal::lookup
