// Buffered output through write(2), retried on interruption and short writes.
#include "OutputBuffer.h"

#include <unistd.h>

#include <cerrno>

namespace kobal::cli {

OutputBuffer::OutputBuffer(int fd, std::size_t capacity) : fd_(fd), buffer_(capacity) {}

char* OutputBuffer::Reserve(std::size_t size) {
  if (buffer_.size() - used_ < size) {
    Flush();
    if (buffer_.size() < size) buffer_.resize(size);  // one record larger than the buffer
  }
  return buffer_.data() + used_;
}

void OutputBuffer::Flush() {
  const char* data = buffer_.data();
  std::size_t left = used_;
  used_ = 0;
  while (left > 0 && error_ == 0) {
    const ssize_t written = write(fd_, data, left);
    if (written < 0) {
      if (errno != EINTR) error_ = errno;
      continue;
    }
    data += written;
    left -= static_cast<std::size_t>(written);
  }
}

}  // namespace kobal::cli
