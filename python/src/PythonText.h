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

// The UTF-8 of a str that is not compact ASCII, as Utf8Of describes it.
TextBytes EncodeUtf8(PyObject* text, Py_ssize_t limit);

// The UTF-8 of `text` (a str), taken from the object when it is ASCII and encoded otherwise. A
// lone surrogate keeps its three bytes, which are no UTF-8, so no text holding one is a number.
// When only the first `limit` characters matter, only they are encoded. On a Python error
// (memory) the bytes have a null data pointer.
inline TextBytes Utf8Of(PyObject* text, Py_ssize_t limit = PY_SSIZE_T_MAX) {
#if PY_VERSION_HEX < 0x030C0000
  if (PyUnicode_READY(text) != 0) return {{}, nullptr};
#endif
  if (PyUnicode_IS_ASCII(text)) {
    // ASCII strings keep their characters as they are, and a NUL after them (str subclasses
    // such as NumPy's in a buffer of their own).
    return {{static_cast<const char*>(PyUnicode_DATA(text)),
             static_cast<std::size_t>(PyUnicode_GET_LENGTH(text))},
            nullptr};
  }
  return EncodeUtf8(text, limit);
}

}  // namespace kobal::python
