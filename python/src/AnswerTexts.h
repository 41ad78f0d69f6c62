// The library's Shift-JIS answers as Python str objects, decoded once each and then shared, and
// the lookup core's classifier that numbers them, one per thread.
#pragma once

#include <Python.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "lookup/lines/LineClassifier.h"

namespace kobal::python {

// A new reference to the str of `answer` (Shift-JIS, NUL-terminated), or null on a Python error.
// Each distinct answer is decoded once for the life of the process (the module is never
// unloaded), so a column of a million numbers costs a million references, not a million strings.
// Needs the interpreter's lock.
PyObject* AnswerText(const char* answer);

// kobal-lookup's reading of a line (normalise, then ask the library), from the lookup core, with
// the str of every answer number it has given. One per thread: the numbers are the classifier's
// own, and a thread classifies without the interpreter's lock.
class ThreadLookup {
 public:
  static ThreadLookup& Current();

  // The number of the answer for the written text (UTF-8); "not one number" has its own. Needs
  // no lock.
  std::uint32_t Classify(std::string_view written) { return classifier_.Classify(written); }

  // A new reference to the str of answer `number`, or null on a Python error. Needs the lock.
  PyObject* Text(std::uint32_t number);

 private:
  lookup::LineClassifier classifier_;
  std::vector<PyObject*> texts_;  // by number, borrowed from AnswerText's; null until asked
};

}  // namespace kobal::python
