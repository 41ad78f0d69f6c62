// The library's Shift-JIS answers as Python str objects, decoded once each and then shared.
#pragma once

#include <Python.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kobal::python {

class AnswerTexts {
 public:
  // A new reference to `answer` (NUL-terminated Shift-JIS) as str, or null on a Python error.
  // The answers are few, so each is decoded once and every later caller shares the object: a
  // column of a million numbers costs a million references, not a million strings. Needs the
  // interpreter's lock.
  PyObject* Text(const char* answer);

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  // Holds its references for the life of the process: the module is never unloaded.
  std::unordered_map<std::string, PyObject*, Hash, std::equal_to<>> texts_;
};

}  // namespace kobal::python
