// Writes one output record per input line: the number as given, and the library's answer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "lookup/FieldEscape.h"
#include "lookup/LibraryAnswer.h"
#include "lookup/lines/AnswerCache.h"
#include "lookup/lines/LineOptions.h"
#include "lookup/lines/OutputBuffer.h"

namespace kobal::lookup {

// Fields beyond the number and the answer, and guards, that a run may ask for.
struct RecordExtras {
  bool status = false;         // "number" or "not-a-number" before the answer
  bool guardFormulas = false;  // CSV: a line a spreadsheet would evaluate is written as text
};

class LineWriter {
 public:
  // Lines are written in UTF-8 or Shift-JIS.
  LineWriter(OutputFormat format, TextEncoding encoding, OutputBuffer& output,
             RecordExtras extras = {});

  // `written` is the line as read (UTF-8), `number` what was passed to the library (none when
  // it was not asked), `answer` the library's Shift-JIS text in its zero-filled buffer.
  void Write(std::string_view written, std::optional<std::string_view> number,
             const AnswerBuffer& answer);

  // The same for a line of ASCII digits only that went to the library as it is: the same text
  // in every encoding, and no format escapes it. The digits must lie in a padded buffer, so
  // that they are copied in whole pieces. `hash` is what Prefetch gave for `answer`, a while
  // before.
  using Hint = std::uint32_t;
  void WriteDigits(std::string_view digits, const AnswerBuffer& answer, std::uint32_t hash);
  // The record takes the digits as they are: nothing to fetch but the answer's entry.
  struct Shape {};
  static Shape ShapeOf(std::string_view /*digits*/) { return {}; }
  Hint Prefetch(const AnswerBuffer& answer, Shape /*shape*/) const {
    return answers_.Prefetch(answer);
  }

  // A record for a line that comes in pieces: its text is written piece by piece, and the
  // record ends with `answer` and no number.
  void BeginPieces();
  void WritePiece(std::string_view text);
  void EndPieces(const AnswerBuffer& answer);

 private:
  // The tail of a record without a number: its status written at `out`, the rest to follow.
  std::string_view NoNumberTail(std::string_view tail, char*& out) const;

  OutputFormat format_;
  RecordExtras extras_;
  FieldBytes inputBytes_;  // how the number as given is written
  OutputBuffer& output_;
  // Tails: the answer's field between what comes before and after it.
  AnswerCache answers_;
  bool piecesStarted_ = false;  // a long line's first piece is written
};

}  // namespace kobal::lookup
