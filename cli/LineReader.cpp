// Line splitting over read(2); a line longer than the buffer makes the buffer grow.
#include "LineReader.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kobal::cli {

LineReader::LineReader(int fd, std::size_t capacity) : fd_(fd), buffer_(capacity) {}

bool LineReader::Next(std::string_view& line) {
  for (;;) {
    char* const start = buffer_.data() + begin_;
    const std::size_t available = end_ - begin_;
    auto* newline = static_cast<char*>(std::memchr(start + scanned_, '\n', available - scanned_));
    std::size_t length = 0;
    if (newline != nullptr) {
      length = static_cast<std::size_t>(newline - start);
      begin_ += length + 1;
    } else if (!atEnd_) {
      Fill();
      continue;
    } else {
      if (available == 0 || error_ != 0) return false;  // never answer a line cut by an error
      length = available;  // the last line has no newline; Fill left room for its NUL
      begin_ = end_;
    }
    scanned_ = 0;
    if (length > 0 && start[length - 1] == '\r') --length;
    start[length] = '\0';
    line = {start, length};
    return true;
  }
}

void LineReader::Fill() {
  // Move the partial line to the front, and grow if it fills the buffer; one byte always
  // stays free for the NUL after the last line.
  scanned_ = end_ - begin_;
  std::memmove(buffer_.data(), buffer_.data() + begin_, scanned_);
  begin_ = 0;
  end_ = scanned_;
  if (buffer_.size() - end_ < 2) buffer_.resize(buffer_.size() * 2);
  for (;;) {
    const ssize_t got = read(fd_, buffer_.data() + end_, buffer_.size() - end_ - 1);
    if (got > 0) {
      end_ += static_cast<std::size_t>(got);
      return;
    }
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) error_ = errno;
    atEnd_ = true;
    return;
  }
}

}  // namespace kobal::cli
