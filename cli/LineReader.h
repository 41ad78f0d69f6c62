// Reads a file descriptor line by line through one large buffer, without copying lines.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace kobal::cli {

class LineReader {
 public:
  explicit LineReader(int fd, std::size_t capacity = std::size_t{1} << 20);

  // The next line without its "\n" or "\r\n"; a last line without a newline counts too.
  // The view stays valid until the next call and is followed by a NUL byte, so it can be
  // handed on as a C string. Returns false at the end of the input or on a read error.
  bool Next(std::string_view& line);

  bool Failed() const { return error_ != 0; }
  int Error() const { return error_; }  // the errno of the failed read

 private:
  // Reads more input after the unconsumed bytes; sets atEnd_ when nothing more comes.
  void Fill();

  int fd_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;    // first unconsumed byte
  std::size_t end_ = 0;      // one past the last byte read
  std::size_t scanned_ = 0;  // bytes after begin_ already known to hold no newline
  bool atEnd_ = false;
  int error_ = 0;
};

}  // namespace kobal::cli
