// Reads a byte source line by line through one fixed buffer, without copying lines; a line of a
// piece or longer comes in pieces, however the input is cut into reads, so memory stays the
// same whatever the input.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "encodings/LineDecoder.h"
#include "encodings/TextDetection.h"
#include "encodings/TextDecoder.h"
#include "lookup/ByteStreams.h"

namespace kobal::lookup {

struct LinePiece {
  std::string_view text;  // without the "\n" or "\r\n"
  bool first;             // the start of a line
  bool last;              // the end of a line: a whole line when `first` too
};

class LineReader {
 public:
  // Pieces are at most `pieceSize` bytes; the buffer holds `capacity` (several pieces).
  LineReader(ByteSource& source, std::optional<TextEncoding> encoding,
             std::size_t pieceSize = std::size_t{1} << 16,
             std::size_t capacity = std::size_t{1} << 18);

  // The next line or piece of a line, as UTF-8 whatever the input's encoding; a last line
  // without a newline counts too. The view stays valid until the next call, and a whole line
  // is followed by a NUL byte so that it can be handed on as a C string. Returns false at the
  // end of the input or when the source failed.
  bool Next(LinePiece& piece);

  // Whole lines, read before their decoding: as many as fit in `limit` bytes (at least a piece),
  // copied to `block`; their bytes are `size`. kLongLine when the next line is longer than a
  // piece: read it with Next. kEnd at the end of the input or when the source failed.
  enum class Block { kLines, kLongLine, kEnd };
  Block NextBlock(char* block, std::size_t limit, std::size_t& size);

  // How the stream's lines are encoded (none: each line decides), once the first Next or
  // NextBlock has read its start.
  std::optional<TextEncoding> Encoding() const { return encoding_; }

  // The source failed; it knows why.
  bool Failed() const { return failed_; }

 private:
  // Reads more input after the unconsumed bytes; sets atEnd_ when nothing more comes.
  void Fill();
  // Reads the byte order mark, if any, and keeps the bytes after it.
  void ReadStart();
  // One read of the source into `to`; 0 at the end or when it failed.
  std::size_t ReadSome(char* to, std::size_t size);
  // Decodes raw UTF-16 into the buffer at end_.
  void AppendUtf16(const char* raw, std::size_t size, bool final);

  ByteSource& source_;
  std::optional<TextEncoding> chosen_;
  std::optional<TextEncoding> encoding_;
  std::optional<TextDecoder> utf16_;  // a UTF-16 stream: its lines come decoded
  std::optional<LineDecoder> lines_;
  std::size_t pieceSize_;
  // Not zero-filled: a page costs nothing until input is read into it, which matters to short
  // inputs.
  std::unique_ptr<char[]> storage_;
  std::span<char> buffer_;
  std::vector<char> raw_;    // UTF-16 input before decoding
  std::size_t begin_ = 0;    // first unconsumed byte
  std::size_t end_ = 0;      // one past the last byte read
  std::size_t scanned_ = 0;  // bytes after begin_ already known to hold no newline
  bool started_ = false;
  bool inLine_ = false;  // pieces of a long line have been given
  bool atEnd_ = false;
  bool failed_ = false;
};

}  // namespace kobal::lookup
