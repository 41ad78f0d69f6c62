// kobal_parse(x): every field of the answer to a written number as a JSON object, keys in the
// fields' order and JSON null where a field but the input is empty, so that
// `kobal_parse(tel) ->> 'prefecture'` reads one; NULL for NULL.
#pragma once

#include <string>

#include "lookup/TextAnswer.h"
#include "sqlite/SqliteApi.h"
#include "sqlite/ValueLine.h"

namespace kobal::sqlite {

// Declared by a function whose result carries a subtype. SQLite before 3.45 ignores the bit,
// and its headers lack the name.
#ifdef SQLITE_RESULT_SUBTYPE
inline constexpr int kResultSubtypeFlag = SQLITE_RESULT_SUBTYPE;
#else
inline constexpr int kResultSubtypeFlag = 0x001000000;
#endif

class ParseFunction {
 public:
  static constexpr const char* kName = "kobal_parse";
  static constexpr int kFlags = kResultSubtypeFlag;

  void Call(sqlite3_context* context, sqlite3_value* argument);

 private:
  ValueLine line_;
  lookup::TextAnswerer answerer_;
  std::string json_;
};

}  // namespace kobal::sqlite
