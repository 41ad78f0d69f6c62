// Buffered output, handed to the sink a buffer at a time.
#include "lookup/lines/OutputBuffer.h"

#include <algorithm>
#include <cstring>

namespace kobal::lookup {

OutputBuffer::OutputBuffer(ByteSink* sink, std::size_t capacity) : sink_(sink), buffer_(capacity) {}

void OutputBuffer::Grow(std::size_t capacity) {
  PaddedBuffer grown(capacity);
  std::memcpy(grown.data(), buffer_.data(), used_);
  buffer_.swap(grown);
}

char* OutputBuffer::MakeRoom(std::size_t size) {
  if (sink_ == kInMemory) {
    Grow(std::max(buffer_.size() * 2, used_ + size));
  } else {
    Flush();
    if (buffer_.size() < size) Grow(size);  // one record larger than the buffer
  }
  return buffer_.data() + used_;
}

void OutputBuffer::Flush() {
  if (sink_ == kInMemory) return;
  if (used_ > 0 && !failed_) failed_ = !sink_->Write({buffer_.data(), used_});
  used_ = 0;
}

}  // namespace kobal::lookup
