// The answer for one cell of a chosen column: the number, what kind of text the cell held, and
// the library's answer, as UTF-8 text cells.
#pragma once

#include <string>
#include <string_view>

#include "lookup/LibraryAnswer.h"
#include "lookup/TextAnswer.h"

namespace kobal::lookup {

struct CellAnswer {
  std::string number;
  std::string status;
  std::string result;
};

class CellAnswerer {
 public:
  explicit CellAnswerer(bool raw);

  // A cell that is not one number but holds several, one per line or between 、 , ; ／, gets
  // each of them answered: the three answer cells hold one line per part, in order.
  CellAnswer Answer(std::string_view cell, bool missing);

 private:
  struct Part {
    std::string number;
    AnswerStatus status;
    std::string result;
  };
  Part AnswerOne(std::string_view text);

  bool raw_;
  std::string digits_;
  std::string unknown_;  // the library's answer for what it is not asked, as UTF-8
  std::string text_;     // the part, with a NUL after it for the library
  AnswerBuffer answer_;
};

}  // namespace kobal::lookup
