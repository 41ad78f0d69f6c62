// A function's argument read as kobal-lookup reads a line of its input, so that a column answers
// as the same column exported to a file would.
#pragma once

#include <optional>
#include <string_view>

#include "encodings/LineDecoder.h"
#include "sqlite/SqliteApi.h"

namespace kobal::sqlite {

class ValueLine {
 public:
  // The UTF-8 text of `value`, or none for NULL. TEXT and BLOB alike are bytes taken as a line
  // is: UTF-8 where they are valid UTF-8, else code page 932 (a Shift-JIS file imported as it
  // was); INTEGER and REAL are their text. Valid until the next call or until `value` changes.
  // Throws std::bad_alloc when SQLite has no memory for the text.
  std::optional<std::string_view> Read(sqlite3_value* value);

  // Whether a NUL follows the last text read: SQLite's own text, or one decoded here.
  bool Terminated() const { return terminated_; }

 private:
  LineDecoder decoder_{std::nullopt};
  bool terminated_ = false;
};

}  // namespace kobal::sqlite
