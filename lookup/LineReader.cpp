// Line splitting over reads with a buffer of fixed size; UTF-16 is decoded as it is read.
#include "lookup/LineReader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace kobal::lookup {
namespace {

// The last `byte` among the `size` bytes at `data`, or nullptr. A block's last newline is most
// often a few bytes from its end.
const char* FindLastByte(const char* data, char byte, std::size_t size) {
  for (const char* p = data + size; p != data;) {
    if (*--p == byte) return p;
  }
  return nullptr;
}

}  // namespace

LineReader::LineReader(ByteSource& source, std::optional<TextEncoding> encoding,
                       std::size_t pieceSize, std::size_t capacity)
    : source_(source),
      chosen_(encoding),
      pieceSize_(pieceSize),
      storage_(new char[capacity]),
      buffer_(storage_.get(), capacity) {}

bool LineReader::Next(LinePiece& piece) {
  if (!started_) ReadStart();
  for (;;) {
    char* const start = buffer_.data() + begin_;
    const std::size_t available = end_ - begin_;
    // A line is whole only when its end comes within a piece; whether its end has been read
    // yet, which depends on how the input came in, decides nothing.
    const std::size_t within = std::min(available, pieceSize_);
    auto* newline = scanned_ < within
                        ? static_cast<char*>(std::memchr(start + scanned_, '\n', within - scanned_))
                        : nullptr;
    std::size_t length = 0;
    bool last = true;
    if (newline != nullptr) {
      length = static_cast<std::size_t>(newline - start);
      begin_ += length + 1;
    } else if (available >= pieceSize_) {
      // A line longer than a piece: hand on a piece, keeping a CR that may end the line.
      length = pieceSize_;
      if (start[length - 1] == '\r') --length;
      begin_ += length;
      last = false;
    } else if (!atEnd_) {
      Fill();
      continue;
    } else {
      if ((available == 0 && !inLine_) || failed_) return false;  // never a cut line
      length = available;  // the last line has no newline; Fill left room for its NUL
      begin_ = end_;
    }
    scanned_ = 0;
    if (last && length > 0 && start[length - 1] == '\r') --length;
    if (last) start[length] = '\0';
    piece = {lines_->Decode({start, length}, !inLine_, last), !inLine_, last};
    inLine_ = !last;
    return true;
  }
}

LineReader::Block LineReader::NextBlock(char* block, std::size_t limit, std::size_t& size) {
  if (!started_) ReadStart();
  scanned_ = 0;  // Next looks again from the start of what is left
  for (bool filled = false;; filled = true) {
    if (end_ - begin_ < limit && !atEnd_ && !filled) Fill();
    const char* const start = buffer_.data() + begin_;
    const std::size_t available = end_ - begin_;
    size = 0;
    if (const char* newline = FindLastByte(start, '\n', std::min(available, limit))) {
      size = static_cast<std::size_t>(newline - start) + 1;
    } else if (available >= pieceSize_) {
      scanned_ = 0;
      return Block::kLongLine;
    } else if (!atEnd_) {
      Fill();
      scanned_ = 0;
      continue;
    } else if (available > 0 && !failed_) {
      size = available;  // the last line has no newline; never a line cut by an error
    } else {
      return Block::kEnd;
    }
    std::memcpy(block, start, size);
    begin_ += size;
    scanned_ = 0;
    return Block::kLines;
  }
}

std::size_t LineReader::ReadSome(char* to, std::size_t size) {
  const std::ptrdiff_t got = source_.Read(to, size);
  if (got >= 0) return static_cast<std::size_t>(got);
  failed_ = true;
  return 0;
}

void LineReader::ReadStart() {
  started_ = true;
  char start[kLongestByteOrderMark];
  std::size_t got = 0;
  while (got < sizeof start) {
    const std::size_t more = ReadSome(start + got, sizeof start - got);
    if (more == 0) {
      atEnd_ = true;
      break;
    }
    got += more;
  }
  const TextStart stream = DetectEncoding(chosen_, {start, got}, Detection::kByLine);
  encoding_ = stream.encoding;
  const char* const rest = start + stream.byteOrderMark;
  const std::size_t restSize = got - stream.byteOrderMark;
  if (encoding_ == TextEncoding::kUtf16LittleEndian || encoding_ == TextEncoding::kUtf16BigEndian) {
    utf16_.emplace(*encoding_);
    encoding_ = TextEncoding::kUtf8;  // the lines come decoded
    raw_.resize(buffer_.size() / 4);
    AppendUtf16(rest, restSize, atEnd_);
  } else {
    std::memcpy(buffer_.data(), rest, restSize);
    end_ = restSize;
  }
  lines_.emplace(encoding_);
}

void LineReader::AppendUtf16(const char* raw, std::size_t size, bool final) {
  char* const out = buffer_.data() + end_;
  end_ = static_cast<std::size_t>(utf16_->DecodeInto({raw, size}, final, out) - buffer_.data());
}

void LineReader::Fill() {
  // Move the partial line (shorter than a piece) to the front; one byte always stays free
  // for the NUL after the last line.
  scanned_ = end_ - begin_;
  std::memmove(buffer_.data(), buffer_.data() + begin_, scanned_);
  begin_ = 0;
  end_ = scanned_;
  const std::size_t room = buffer_.size() - end_ - 1;
  if (!utf16_) {
    const std::size_t got = ReadSome(buffer_.data() + end_, room);
    end_ += got;
    atEnd_ = got == 0;
    return;
  }
  const std::size_t rawRoom = std::min(raw_.size(), (room - 8) / 3 * 2);  // UTF-16's MaxOutput
  const std::size_t got = ReadSome(raw_.data(), rawRoom);
  atEnd_ = got == 0;
  AppendUtf16(raw_.data(), got, atEnd_);
}

}  // namespace kobal::lookup
