// The items of a column, taken a chunk at a time with the interpreter's lock so that they can be
// answered without it: each item's UTF-8 bytes, held alive until the next chunk.
#pragma once

#include <pybind11/pybind11.h>

#include <cstddef>
#include <string_view>
#include <vector>

namespace kobal::python {

enum class ItemKind : unsigned char {
  kText,     // a str
  kMissing,  // a gap in a column: None, a float NaN, pandas' NA or NaT
  kOther     // anything else: a number, bytes, a list ...
};

struct ColumnItem {
  std::string_view written;  // the UTF-8 of a str, else empty
  ItemKind kind;
  bool plainAscii;   // an ASCII str, not a subclass: `written` is its own characters
  PyObject* object;  // borrowed, alive until the next chunk
};

// Items per chunk: the lock changes hands a few hundred times a million numbers, which costs
// nothing beside the answers, and a chunk's answers stay in the cache.
inline constexpr std::size_t kChunkItems = 4096;

class ColumnItems {
 public:
  // Throws TypeError, naming `function`, when `texts` is no iterable, or is one str or bytes
  // (pointing to `oneValue`, the function for one).
  ColumnItems(pybind11::handle texts, const char* function, const char* oneValue);

  // The next chunk's items, at most kChunkItems; false (and none) at the end. Errors of the
  // iteration pass through. Needs the lock.
  bool Next();

  const std::vector<ColumnItem>& Items() const { return items_; }

  // How many items are left, as far as the iterable tells (its length), or 0.
  std::size_t LengthHint() const;

 private:
  pybind11::object iterator_;
  bool ended_ = false;
  std::vector<pybind11::object> held_;  // the chunk's items and encoded copies
  std::vector<ColumnItem> items_;
};

}  // namespace kobal::python
