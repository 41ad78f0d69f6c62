// Answers as data for a whole column: every item of an iterable, in order, as columns of the
// fields, worked out in chunks without the interpreter's lock.
#pragma once

#include <pybind11/pybind11.h>

namespace kobal::python {

// A dict of the fields of kAnswerFields, in their order, each a list with a value for every item
// of `texts` (None where empty). A str is answered as parse() answers it; a gap (None, a float
// NaN, pandas' NA or NaT) has the status `missing`; anything else (a number, bytes) is no number.
// Throws TypeError when `texts` is no iterable, or one text.
pybind11::dict ParseMany(pybind11::handle texts);

}  // namespace kobal::python
