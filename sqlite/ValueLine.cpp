// SQLite hands out a value's bytes without copying when asked for its own type's form.
#include "sqlite/ValueLine.h"

#include <cstddef>
#include <new>

namespace kobal::sqlite {

std::optional<std::string_view> ValueLine::Read(sqlite3_value* value) {
  const int type = sqlite3_value_type(value);
  if (type == SQLITE_NULL) return std::nullopt;
  // The bytes first, then their count: asking for the count first could convert the value.
  const void* bytes = type == SQLITE_BLOB ? sqlite3_value_blob(value) : sqlite3_value_text(value);
  const auto size = static_cast<std::size_t>(sqlite3_value_bytes(value));
  terminated_ = false;
  if (bytes == nullptr) {
    if (size == 0) return std::string_view();  // an empty BLOB has no pointer
    throw std::bad_alloc();
  }
  const std::string_view text = decoder_.Decode({static_cast<const char*>(bytes), size});
  // A BLOB's bytes end where they end; SQLite's text and the decoder's have a NUL after them.
  terminated_ = type != SQLITE_BLOB || text.data() != bytes;
  return text;
}

}  // namespace kobal::sqlite
