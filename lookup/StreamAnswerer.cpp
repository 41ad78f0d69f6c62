// Reads a stream a block of whole lines at a time and answers each block's lines a batch at a
// time, on the calling thread; records go straight to the output. Memory is the block and the
// output buffer, whatever the input.
#include "lookup/StreamAnswerer.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace kobal::lookup {
namespace {

// A block is at most one piece: no whole line is longer than a piece, so every one fits.
constexpr std::size_t kBlockSize = std::size_t{1} << 16;

// The number of ASCII digits at the start of `text`, eight bytes at a time: most lines are
// digits only, and this finds where they end too. Reads up to seven bytes past the first byte
// that is not a digit.
std::size_t CountDigits(const char* text) {
  static_assert(PaddedBuffer::Covers(7));
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t kZeros = 0x3030303030303030u;     // "0" in every byte
    constexpr std::uint64_t kPastNine = 0x7676767676767676u;  // 10 + 0x76 sets the high bit
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    for (std::size_t count = 0;; count += 8) {
      std::uint64_t word;
      std::memcpy(&word, text + count, sizeof word);
      const std::uint64_t value = word ^ kZeros;  // 0 to 9 for a digit
      // The high bit of each byte that is not a digit. A carry leaves only such a byte, so the
      // lowest byte flagged is the first that is not a digit.
      const std::uint64_t flags = (value | (value + kPastNine)) & kHighBits;
      if (flags != 0) return count + static_cast<std::size_t>(std::countr_zero(flags)) / 8;
    }
  } else {
    std::size_t count = 0;
    while (text[count] >= '0' && text[count] <= '9') ++count;
    return count;
  }
}

// Answers every line of the first `size` bytes of `block`, a batch at a time: the lines are found
// and ended with a NUL first, then answered.
void AnswerBlock(PaddedBuffer& block, std::size_t size, LineDecoder& decoder,
                 LineAnswerer& answerer) {
  char* line = block.data();
  char* const end = line + size;
  // Ends a last line without a newline, and every run of digits; the room after it is read
  // (a whole word at a time) but never decides anything.
  block.ClearAfter(size);
  std::array<LineAnswerer::BlockLine, LineAnswerer::kBatch> batch;
  while (line < end) {
    std::size_t count = 0;
    for (; count < batch.size() && line < end; ++count) {
      // A line of digits ends where they do; any other line is looked through for its end.
      std::size_t length = CountDigits(line);
      char* lineEnd = line + length;
      const bool digitsOnly = *lineEnd == '\n' || lineEnd == end;
      if (!digitsOnly) {
        auto* newline =
            static_cast<char*>(std::memchr(lineEnd, '\n', static_cast<std::size_t>(end - lineEnd)));
        lineEnd = newline != nullptr ? newline : end;
        length = static_cast<std::size_t>(lineEnd - line);
        if (length > 0 && line[length - 1] == '\r') --length;
      }
      line[length] = '\0';  // the raw lookup reads the line as a C string
      // Digits and CR LF are digits only too.
      batch[count] = {{line, length}, length > 0 && (digitsOnly || CountDigits(line) == length)};
      line = lineEnd + 1;
    }
    answerer.AnswerBatch({batch.data(), count}, decoder);
  }
}

}  // namespace

StreamAnswerer::StreamAnswerer(const LookupOptions& options, OutputBuffer& output)
    : writer_(options.format, options.encoding, output,
              {.status = options.status, .guardFormulas = options.guardFormulas}),
      answerer_(options.raw, writer_),
      output_(output),
      block_(kBlockSize) {}

void StreamAnswerer::Run(LineReader& reader) {
  std::size_t size = 0;
  while (!output_.Failed()) {
    const LineReader::Block block = reader.NextBlock(block_.data(), kBlockSize, size);
    if (block == LineReader::Block::kEnd) return;
    if (block == LineReader::Block::kLongLine) {
      AnswerLongLine(reader);
      continue;
    }
    // The stream's encoding is known once its start is read.
    if (!decoder_) decoder_.emplace(reader.Encoding());
    AnswerBlock(block_, size, *decoder_, answerer_);
  }
}

void StreamAnswerer::AnswerLongLine(LineReader& reader) {
  LinePiece piece;
  while (reader.Next(piece)) {
    answerer_.AnswerPiece(piece.text, piece.first, piece.last);
    if (piece.last) return;
  }
}

}  // namespace kobal::lookup
