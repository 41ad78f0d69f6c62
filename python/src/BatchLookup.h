// Answers for a whole column: every item of an iterable, in order, worked out in chunks without
// the interpreter's lock, so that other threads run meanwhile.
#pragma once

#include <pybind11/pybind11.h>

namespace kobal::python {

// A list of the answers for the items of `texts`, as lookup() gives them; an item that is not a
// str (None, NaN, a number) answers as no number. Throws TypeError when `texts` is no iterable, or
// one text.
pybind11::list LookupMany(pybind11::handle texts);

}  // namespace kobal::python
