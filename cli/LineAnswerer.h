// Answers one number: normalises it unless raw, asks the library, writes the record.
#pragma once

#include <string>
#include <string_view>

#include "RecordWriter.h"
#include "kobal/KobalFnc.h"

namespace kobal::cli {

class LineAnswerer {
 public:
  LineAnswerer(bool raw, RecordWriter& writer);

  // `line` is the line as text (UTF-8) and `asRead` its bytes as read, which raw mode passes to
  // the library; they differ for a line decoded from Shift-JIS. `asRead` must be followed by a
  // NUL byte (as LineReader and argv guarantee), so that it goes to the library without a copy.
  void Answer(std::string_view line, std::string_view asRead);
  void Answer(std::string_view line) { Answer(line, line); }

  // A line of ASCII digits only, followed by a NUL and RecordWriter::kDigitsSlack readable
  // bytes in all: the most common line, which reads the same in every encoding, needs no
  // escaping in any format and, unless an international prefix leads it, no normalising.
  void AnswerDigits(std::string_view digits);

  // A line that comes in pieces is too long to be a number: its text is echoed and it is
  // answered as no number, without asking the library.
  void AnswerPiece(std::string_view text, bool first, bool last);

 private:
  bool raw_;
  RecordWriter& writer_;
  std::string number_;                 // reused normalisation buffer
  AnswerCache::AnswerBuffer unknown_;  // the library's answer for a number it cannot place
  AnswerCache::AnswerBuffer answer_;
};

}  // namespace kobal::cli
