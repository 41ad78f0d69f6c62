// The room after padded buffers, as the fast paths use it. Under AddressSanitizer (the asan
// preset) a path that reaches past the room fails here rather than on some rare input.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "lookup/PaddedBuffer.h"
#include "lookup/lines/OutputBuffer.h"

namespace kobal::lookup {
namespace {

std::string Bytes(std::size_t length) {
  std::string bytes;
  for (std::size_t i = 0; i < length; ++i) bytes += static_cast<char>('0' + i % 10);
  return bytes;
}

// Every length up to past two pieces, each copied from the very end of one buffer to the very
// end of another, so that each read and write past the ends lands in the room.
template <std::size_t kPiece>
void CheckCopiesAtTheEnd() {
  for (std::size_t length = 0; length <= 2 * kPiece + 1; ++length) {
    const std::string bytes = Bytes(length);
    PaddedBuffer from(length);
    bytes.copy(from.data(), length);
    PaddedBuffer to(length + 1);
    to.data()[length] = 'x';
    char* const end = PaddedBuffer::CopyInPieces<kPiece>(to.data(), {from.data(), length});
    ASSERT_EQ(end, to.data() + length);
    ASSERT_EQ(std::string_view(to.data(), length), bytes) << kPiece << " " << length;
  }
}

TEST(PaddedBuffer, CopiesInPiecesStayWithinTheRoom) {
  CheckCopiesAtTheEnd<1>();
  CheckCopiesAtTheEnd<16>();
  CheckCopiesAtTheEnd<64>();
}

TEST(PaddedBuffer, RoomAfterTheEndReadsAsZeros) {
  PaddedBuffer buffer(8);
  std::string(8, '7').copy(buffer.data(), 8);
  buffer.ClearAfter(3);
  EXPECT_EQ(std::string_view(buffer.data(), 3), "777");
  for (std::size_t i = 3; i < 3 + 8; ++i) EXPECT_EQ(buffer.data()[i], '\0') << i;
  buffer.ClearAfter(8);  // the whole room after the full buffer is there to clear
  EXPECT_EQ(buffer.data()[8 + 7], '\0');
}

TEST(PaddedBuffer, OutputRoomIsPaddedThroughEveryGrowth) {
  OutputBuffer output(OutputBuffer::kInMemory, 0);
  std::string expected;
  for (std::size_t length = 0; length < 300; length += 7) {
    const std::string bytes = Bytes(length);
    PaddedBuffer from(length);
    bytes.copy(from.data(), length);
    // Reserved exactly: the copy's overshoot lands in the room after the reservation.
    char* const out = output.Reserve(length);
    output.Commit(PaddedBuffer::CopyInPieces<64>(out, {from.data(), length}));
    expected += bytes;
    ASSERT_EQ(output.Buffered(), expected);
  }
}

}  // namespace
}  // namespace kobal::lookup
