// A buffer with room after its end for the fast paths that read or write in whole words and
// pieces. The one place that knows how much room that is: each such path checks its reach
// against it at compile time, so that widening a path cannot run past the room unnoticed.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>

namespace kobal::lookup {

class PaddedBuffer {
 public:
  // Whether a path that reads or writes up to `reach` bytes past an end stays within the room.
  static constexpr bool Covers(std::size_t reach) { return reach <= kRoom; }

  // The bytes that `size` bytes take with the room after them.
  static constexpr std::size_t Padded(std::size_t size) { return size + kRoom; }

  PaddedBuffer() = default;
  // `size` bytes and the room after them. Not zero-filled: a page costs nothing until written.
  explicit PaddedBuffer(std::size_t size) : bytes_(new char[Padded(size)]), size_(size) {}

  char* data() { return bytes_.get(); }
  const char* data() const { return bytes_.get(); }
  std::size_t size() const { return size_; }

  // Zeros the room after the first `end` (at most size()) bytes, so that a path reading past
  // them finds zeros, which end a line and a run of digits.
  void ClearAfter(std::size_t end) { std::memset(data() + end, 0, kRoom); }

  void swap(PaddedBuffer& other) noexcept {
    bytes_.swap(other.bytes_);
    std::swap(size_, other.size_);
  }

  // Copies `bytes` to `out` in whole pieces of kPiece bytes: a short field in a few moves, with
  // no call and, for most, no second round of the loop, whose end the processor would mispredict
  // as often as the lengths vary. Reads up to kPiece - 1 bytes past the end of `bytes` and writes
  // as many past the end of the copy: both must have the room after them (see Padded).
  template <std::size_t kPiece>
  static char* CopyInPieces(char* out, std::string_view bytes) {
    static_assert(kPiece > 0 && Covers(kPiece - 1));
    char* const end = out + bytes.size();
    for (const char* from = bytes.data(); out < end; out += kPiece, from += kPiece) {
      std::memcpy(out, from, kPiece);
    }
    return end;
  }

 private:
  static constexpr std::size_t kRoom = 64;

  std::unique_ptr<char[]> bytes_;
  std::size_t size_ = 0;
};

}  // namespace kobal::lookup
