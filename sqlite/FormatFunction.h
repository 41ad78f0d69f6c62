// kobal_format(x): the number with hyphens where the numbering splits it (the `formatted` field);
// NULL for NULL and where a text has no such form.
#pragma once

#include "lookup/TextAnswer.h"
#include "sqlite/SqliteApi.h"
#include "sqlite/ValueLine.h"

namespace kobal::sqlite {

class FormatFunction {
 public:
  static constexpr const char* kName = "kobal_format";
  static constexpr int kFlags = 0;

  void Call(sqlite3_context* context, sqlite3_value* argument);

 private:
  ValueLine line_;
  lookup::TextAnswerer answerer_;
};

}  // namespace kobal::sqlite
