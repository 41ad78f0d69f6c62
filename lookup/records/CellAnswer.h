// The answer for one cell of a chosen column: a UTF-8 text cell for each field chosen (the
// number, what kind of text the cell held, the library's answer ...).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "fields/Field.h"
#include "lookup/TextAnswer.h"

namespace kobal::lookup {

struct CellAnswer {
  std::vector<std::string> cells;  // one for each field, in order
  bool number = false;             // the cell, or its first part, is a number
};

class CellAnswerer {
 public:
  CellAnswerer(bool raw, std::vector<Field> fields);

  // A cell that is not one number but holds several, one per line or between 、 , ; ／, gets
  // each of them answered: the cells hold one line per part, in order.
  CellAnswer Answer(std::string_view cell, bool missing);

 private:
  struct Part {
    AnswerStatus status;
    std::vector<std::string> cells;
  };
  Part AnswerOne(std::string_view text);
  // A cell that holds no text (blank, or none at all): every field empty but status and result.
  Part NoText(AnswerStatus status, std::string_view text);

  bool raw_;
  std::vector<Field> fields_;
  TextAnswerer answerer_;
};

}  // namespace kobal::lookup
