// Answers one number: normalises it unless raw, asks the library, writes the record. The writer
// is LineWriter (the default record) or FieldLineWriter (chosen fields): a template, so that the
// default record's path keeps its code as it is.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "encodings/LineDecoder.h"
#include "lookup/LibraryAnswer.h"

namespace kobal::lookup {

template <typename Writer>
class LineAnswerer {
 public:
  LineAnswerer(bool raw, Writer& writer);

  // `line` is the line as text (UTF-8) and `asRead` its bytes as read, which raw mode passes to
  // the library; they differ for a line decoded from Shift-JIS. `asRead` must be followed by a
  // NUL byte (as LineStream and argv guarantee), so that it goes to the library without a copy.
  void Answer(std::string_view line, std::string_view asRead);
  void Answer(std::string_view line) { Answer(line, line); }

  // A line of a block: its bytes as read, followed by a NUL, in a padded buffer, and whether
  // they are ASCII digits only. Such a line, the common one, reads the same in every encoding,
  // needs no escaping in any format and, unless an international prefix leads it, no
  // normalising.
  struct BlockLine {
    std::string_view bytes;
    bool digitsOnly;
  };
  static constexpr std::size_t kBatch = 32;

  // Answers up to kBatch lines, in order: first the library's answers for the lines of digits
  // (and the shape of their digits, which the writer's record may depend on, while the library
  // works), then every record. So a line's last bytes and an answer are read well after they
  // were written, and not while the writes are still on their way to the cache, which stalls a
  // read.
  void AnswerBatch(std::span<const BlockLine> lines, LineDecoder& decoder);

  // A line that comes in pieces is too long to be a number: its text is echoed and it is
  // answered as no number, without asking the library.
  void AnswerPiece(std::string_view text, bool first, bool last);

 private:
  bool raw_;
  Writer& writer_;
  std::string digits_;    // reused normalisation buffer
  AnswerBuffer unknown_;  // the library's answer for a number it cannot place
  AnswerBuffer answer_;
  std::array<AnswerBuffer, kBatch> answers_;  // of a batch
};

}  // namespace kobal::lookup
