// A large write buffer over a file descriptor: few system calls, no allocation per line. Without
// a file descriptor it only collects, for a caller that hands the records on itself.
#pragma once

#include <cstddef>
#include <string_view>

#include "lookup/PaddedBuffer.h"

namespace kobal::lookup {

class OutputBuffer {
 public:
  static constexpr int kInMemory = -1;

  explicit OutputBuffer(int fd, std::size_t capacity = std::size_t{1} << 20);

  // Room for at least `size` more bytes, and the room of a padded buffer after them; write into
  // it and hand the end to Commit.
  char* Reserve(std::size_t size) {
    return buffer_.size() - used_ >= size ? buffer_.data() + used_ : MakeRoom(size);
  }
  void Commit(char* end) { used_ = static_cast<std::size_t>(end - buffer_.data()); }

  // Writes out what is buffered. After a failure further output is dropped.
  void Flush();

  // In memory: what was collected.
  std::string_view Buffered() const { return {buffer_.data(), used_}; }

  bool Failed() const { return error_ != 0; }
  int Error() const { return error_; }  // the errno of the first failed write

 private:
  char* MakeRoom(std::size_t size);
  void Grow(std::size_t capacity);
  void WriteOut(const char* data, std::size_t size);

  int fd_;
  // Not zero-filled: a page of it costs nothing until a record is written there.
  PaddedBuffer buffer_;
  std::size_t used_ = 0;
  int error_ = 0;
};

}  // namespace kobal::lookup
