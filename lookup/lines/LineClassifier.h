// Lines to numbered answers, for a front end that shows the answers itself (the web page's
// batch): each line normalised and asked, and its answer numbered in the order met.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "lookup/LibraryAnswer.h"
#include "lookup/lines/AnswerCache.h"

namespace kobal::lookup {

class LineClassifier {
 public:
  // The answer for no number is met first: its number is 0.
  LineClassifier();

  // The number of the answer for `line` (UTF-8): equal answers, equal numbers. A line that is not
  // one number gets the answer for no number, as in kobal-lookup. When `raw`, the line goes to
  // the library as it is and must be followed by a NUL.
  std::uint32_t Classify(std::string_view line, bool raw = false);

  // The same for a number to ask as it stands, known to hold no NUL (plain digits, which the
  // normaliser gives back as they are), NUL-terminated.
  std::uint32_t ClassifyNumber(const char* number);

  // Classify for a line followed by a NUL (a database's text): plain digits go to the library
  // where they lie, not copied.
  std::uint32_t ClassifyTerminated(std::string_view line);

  // The Shift-JIS text, NUL-terminated, of answer `number`; null for a number not given yet.
  const char* AnswerText(std::uint32_t number) const { return answers_.Text(number); }

 private:
  std::string digits_;  // reused normalisation buffer
  AnswerBuffer answer_;
  AnswerCache answers_;
  std::uint32_t noNumber_;
};

}  // namespace kobal::lookup
