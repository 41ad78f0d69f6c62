// A large write buffer in front of a sink: one Write per buffer, no allocation per line. Without
// a sink it only collects, for a caller that hands the records on itself.
#pragma once

#include <cstddef>
#include <string_view>

#include "lookup/ByteStreams.h"
#include "lookup/PaddedBuffer.h"

namespace kobal::lookup {

class OutputBuffer {
 public:
  static constexpr ByteSink* kInMemory = nullptr;

  explicit OutputBuffer(ByteSink* sink, std::size_t capacity = std::size_t{1} << 20);

  // Room for at least `size` more bytes, and the room of a padded buffer after them; write into
  // it and hand the end to Commit.
  char* Reserve(std::size_t size) {
    return buffer_.size() - used_ >= size ? buffer_.data() + used_ : MakeRoom(size);
  }
  void Commit(char* end) { used_ = static_cast<std::size_t>(end - buffer_.data()); }

  // Hands what is buffered to the sink. After a failure further output is dropped.
  void Flush();

  // In memory: what was collected.
  std::string_view Buffered() const { return {buffer_.data(), used_}; }

  // The sink refused a write; it knows why.
  bool Failed() const { return failed_; }

 private:
  char* MakeRoom(std::size_t size);
  void Grow(std::size_t capacity);

  ByteSink* sink_;
  // Not zero-filled: a page of it costs nothing until a record is written there.
  PaddedBuffer buffer_;
  std::size_t used_ = 0;
  bool failed_ = false;
};

}  // namespace kobal::lookup
