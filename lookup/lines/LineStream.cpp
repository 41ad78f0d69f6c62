// Lines are cut from the input as it comes, a block of whole lines at a time, and each block's
// lines are answered a batch at a time, on the calling thread; records go straight to the output.
// UTF-16 is decoded as it comes in.
#include "lookup/lines/LineStream.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace kobal::lookup {
namespace {

// A line is whole only when its end comes within a piece of its start; whether its end has been
// read yet, which depends on how the input came in, decides nothing. A block is at most one
// piece, so every whole line fits.
constexpr std::size_t kPieceSize = kLongLine;
constexpr std::size_t kBlockSize = kPieceSize;
constexpr std::size_t kCapacity = std::size_t{1} << 18;  // several pieces

// The last `byte` among the `size` bytes at `data`, or nullptr. A block's last newline is most
// often a few bytes from its end.
const char* FindLastByte(const char* data, char byte, std::size_t size) {
  for (const char* p = data + size; p != data;) {
    if (*--p == byte) return p;
  }
  return nullptr;
}

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
template <typename Answerer>
void AnswerBlock(PaddedBuffer& block, std::size_t size, LineDecoder& decoder, Answerer& answerer) {
  char* line = block.data();
  char* const end = line + size;
  // Ends a last line without a newline, and every run of digits; the room after it is read
  // (a whole word at a time) but never decides anything.
  block.ClearAfter(size);
  std::array<typename Answerer::BlockLine, Answerer::kBatch> batch;
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

LineStream::LineStream(const LineOptions& options, OutputBuffer& output)
    : chosen_(options.inputEncoding),
      output_(output),
      block_(kBlockSize),
      storage_(new char[kCapacity]),
      buffer_(storage_.get(), kCapacity) {
  if (options.fields.empty()) {
    writer_.emplace(options.format, options.encoding, output,
                    RecordExtras{.status = options.status, .guardFormulas = options.guardFormulas});
    answerer_.emplace(options.raw, *writer_);
  } else {
    fieldWriter_.emplace(options.fields, options.format, options.encoding, output,
                         options.guardFormulas);
    fieldAnswerer_.emplace(options.raw, *fieldWriter_);
  }
}

std::span<char> LineStream::Room() {
  // The partial line (shorter than a piece) moves to the front when the room after it is less
  // than a piece; one byte always stays free for the NUL after the last line.
  if (begin_ > 0 && buffer_.size() - end_ - 1 < kPieceSize) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  // The start is read alone, so that UTF-16 after a byte order mark is decoded where it lies.
  if (!started_) return {buffer_.data() + end_, kLongestByteOrderMark - end_};
  const std::size_t room = buffer_.size() - end_ - 1;
  if (!utf16_) return {buffer_.data() + end_, room};
  return {raw_.data(), std::min(raw_.size(), (room - 8) / 3 * 2)};
}

void LineStream::Commit(std::size_t size) {
  if (utf16_) {
    AppendUtf16(raw_.data(), size, false);
  } else {
    end_ += size;
  }
  if (!started_) {
    if (end_ < kLongestByteOrderMark) return;
    Start(false);
  }
  Drain(false);
}

void LineStream::Feed(std::string_view bytes) {
  while (!bytes.empty() && !output_.Failed()) {
    const std::span<char> room = Room();
    const std::size_t size = std::min(room.size(), bytes.size());
    std::memcpy(room.data(), bytes.data(), size);
    Commit(size);
    bytes.remove_prefix(size);
  }
}

void LineStream::Finish() {
  if (!started_) {
    Start(true);
  } else if (utf16_) {
    AppendUtf16(nullptr, 0, true);
  }
  Drain(true);
}

void LineStream::Start(bool final) {
  started_ = true;
  const TextStart stream = DetectEncoding(chosen_, {buffer_.data(), end_}, Detection::kByLine);
  std::optional<TextEncoding> encoding = stream.encoding;
  if (encoding == TextEncoding::kUtf16LittleEndian || encoding == TextEncoding::kUtf16BigEndian) {
    utf16_.emplace(*encoding);
    encoding = TextEncoding::kUtf8;  // the lines come decoded
    raw_.resize(buffer_.size() / 4);
    const std::size_t rest = end_ - stream.byteOrderMark;
    std::memcpy(raw_.data(), buffer_.data() + stream.byteOrderMark, rest);
    end_ = 0;
    AppendUtf16(raw_.data(), rest, final);
  } else {
    begin_ = stream.byteOrderMark;
  }
  decoder_.emplace(encoding);
  pieces_.emplace(encoding);
}

void LineStream::AppendUtf16(const char* raw, std::size_t size, bool final) {
  char* const out = buffer_.data() + end_;
  end_ = static_cast<std::size_t>(utf16_->DecodeInto({raw, size}, final, out) - buffer_.data());
}

void LineStream::Drain(bool final) {
  while (!output_.Failed()) {
    if (inLine_) {
      if (!AnswerPiece(final)) return;
      continue;
    }
    const char* const start = buffer_.data() + begin_;
    const std::size_t available = end_ - begin_;
    const std::size_t within = std::min(available, kBlockSize);
    std::size_t size = 0;
    if (const char* newline = FindLastByte(start + scanned_, '\n', within - scanned_)) {
      size = static_cast<std::size_t>(newline - start) + 1;
    } else if (available >= kPieceSize) {
      if (!AnswerPiece(final)) return;
      continue;
    } else if (final && available > 0) {
      size = available;  // the last line has no newline
    } else {
      scanned_ = within;
      return;
    }
    std::memcpy(block_.data(), start, size);
    begin_ += size;
    scanned_ = 0;
    if (fieldAnswerer_) {
      AnswerBlock(block_, size, *decoder_, *fieldAnswerer_);
    } else {
      AnswerBlock(block_, size, *decoder_, *answerer_);
    }
  }
}

bool LineStream::AnswerPiece(bool final) {
  char* const start = buffer_.data() + begin_;
  const std::size_t available = end_ - begin_;
  const std::size_t within = std::min(available, kPieceSize);
  const auto* newline =
      static_cast<const char*>(std::memchr(start + scanned_, '\n', within - scanned_));
  std::size_t length = available;
  std::size_t used = available;
  bool last = true;
  if (newline != nullptr) {
    length = static_cast<std::size_t>(newline - start);
    used = length + 1;
  } else if (available >= kPieceSize) {
    // A piece, keeping a CR that may end the line for the next.
    length = kPieceSize;
    if (start[length - 1] == '\r') --length;
    used = length;
    last = false;
  } else if (!final) {
    scanned_ = within;
    return false;
  }
  if (last && length > 0 && start[length - 1] == '\r') --length;
  if (last) start[length] = '\0';
  const bool first = !inLine_;
  const std::string_view text = pieces_->Decode({start, length}, first, last);
  if (fieldAnswerer_) {
    fieldAnswerer_->AnswerPiece(text, first, last);
  } else {
    answerer_->AnswerPiece(text, first, last);
  }
  inLine_ = !last;
  begin_ += used;
  scanned_ = 0;
  return true;
}

bool AnswerLines(ByteSource& source, LineStream& stream, const OutputBuffer& output) {
  while (!output.Failed()) {
    const std::span<char> room = stream.Room();
    const std::ptrdiff_t got = source.Read(room.data(), room.size());
    if (got < 0) return false;
    if (got == 0) break;
    stream.Commit(static_cast<std::size_t>(got));
  }
  if (!output.Failed()) stream.Finish();
  return true;
}

}  // namespace kobal::lookup
