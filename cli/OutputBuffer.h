// A large write buffer over a file descriptor: few system calls, no allocation per line.
#pragma once

#include <cstddef>
#include <vector>

namespace kobal::cli {

class OutputBuffer {
 public:
  explicit OutputBuffer(int fd, std::size_t capacity = std::size_t{1} << 20);

  // Room for at least `size` more bytes; write into it and hand the end to Commit.
  char* Reserve(std::size_t size);
  void Commit(char* end) { used_ = static_cast<std::size_t>(end - buffer_.data()); }

  // Writes out what is buffered. After a failure further output is dropped.
  void Flush();

  bool Failed() const { return error_ != 0; }
  int Error() const { return error_; }  // the errno of the first failed write

 private:
  int fd_;
  std::vector<char> buffer_;
  std::size_t used_ = 0;
  int error_ = 0;
};

}  // namespace kobal::cli
