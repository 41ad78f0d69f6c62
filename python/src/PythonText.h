// The bytes behind a Python str or bytes object, borrowed where the object holds them already.
#pragma once

#include <Python.h>

#include <cstddef>
#include <string_view>

namespace kobal::python {

// Bytes that stay valid while `owner` (a new reference, or null when the bytes are borrowed
// from the object itself) is alive; always followed by a NUL byte.
struct TextBytes {
  std::string_view bytes;
  PyObject* owner;
};

// The UTF-8 of `text` (a str), taken from the object when it is ASCII and encoded otherwise. A
// lone surrogate keeps its three bytes, which are no UTF-8, so no text holding one is a number.
// When only the first `limit` characters matter, only they are encoded. On a Python error
// (memory) the bytes have a null data pointer.
TextBytes Utf8Of(PyObject* text, Py_ssize_t limit = PY_SSIZE_T_MAX);

}  // namespace kobal::python
