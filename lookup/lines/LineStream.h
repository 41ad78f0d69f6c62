// Lines as one stream: an input's bytes go in, a piece at a time, and one record per line comes
// out in order, in the format and encoding the options ask for. kobal-lookup drives it from its
// byte source (AnswerLines); its numbers given as operands go in as lines too (AnswerLine).
// Memory is the stream's buffer and the output buffer, whatever the input.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "encodings/LineDecoder.h"
#include "encodings/TextDecoder.h"
#include "encodings/TextDetection.h"
#include "lookup/ByteStreams.h"
#include "lookup/PaddedBuffer.h"
#include "lookup/lines/FieldLineWriter.h"
#include "lookup/lines/LineAnswerer.h"
#include "lookup/lines/LineOptions.h"
#include "lookup/lines/LineWriter.h"
#include "lookup/lines/OutputBuffer.h"

namespace kobal::lookup {

class LineStream {
 public:
  // The records go to `output`; a line of a piece or longer (64 KiB) is answered in pieces.
  LineStream(const LineOptions& options, OutputBuffer& output);
  LineStream(const LineStream&) = delete;
  LineStream& operator=(const LineStream&) = delete;

  // Room for the next bytes of the input, read straight into it; Commit says how many came.
  // The lines they end are answered at once, unless the output has failed.
  std::span<char> Room();
  void Commit(std::size_t size);
  // The same for bytes that are somewhere else already.
  void Feed(std::string_view bytes);
  // The input has ended: a last line without a newline counts. Not called when the input
  // failed: a line the failure cut is not answered.
  void Finish();

  // A line given whole, followed by a NUL (an operand): answered as a line of UTF-8.
  void AnswerLine(const char* line) {
    if (fieldAnswerer_) return fieldAnswerer_->Answer(line);
    answerer_->Answer(line);
  }

 private:
  void Start(bool final);
  void Drain(bool final);
  // The next piece of a line longer than a piece; false when more input is needed.
  bool AnswerPiece(bool final);
  void AppendUtf16(const char* raw, std::size_t size, bool final);

  std::optional<TextEncoding> chosen_;
  // The default record, or the fields chosen: one pair of the two is made.
  std::optional<LineWriter> writer_;
  std::optional<LineAnswerer<LineWriter>> answerer_;
  std::optional<FieldLineWriter> fieldWriter_;
  std::optional<LineAnswerer<FieldLineWriter>> fieldAnswerer_;
  OutputBuffer& output_;
  PaddedBuffer block_;  // whole lines, cut and answered in place
  // Not zero-filled: a page costs nothing until input is read into it, which matters to short
  // inputs.
  std::unique_ptr<char[]> storage_;
  std::span<char> buffer_;
  std::size_t begin_ = 0;               // first byte not answered
  std::size_t end_ = 0;                 // one past the last byte read
  std::size_t scanned_ = 0;             // bytes after begin_ already known to hold no newline
  bool started_ = false;                // the byte order mark, if any, is read
  bool inLine_ = false;                 // pieces of a long line have been answered
  std::optional<TextDecoder> utf16_;    // a UTF-16 stream: its lines come decoded
  std::vector<char> raw_;               // UTF-16 input before decoding
  std::optional<LineDecoder> decoder_;  // the lines of blocks, once the encoding is known
  std::optional<LineDecoder> pieces_;   // the pieces of long lines
};

// Feeds `stream` all of `source` and finishes it, until the output fails; false when the source
// failed (it knows why), and then the line it cut is not answered.
bool AnswerLines(ByteSource& source, LineStream& stream, const OutputBuffer& output);

}  // namespace kobal::lookup
