#include "AnswerFields.h"

#include <cstring>

namespace kobal::python {

lookup::TextAnswerer& ThreadAnswerer() {
  thread_local lookup::TextAnswerer answerer;
  return answerer;
}

PyObject* AsciiText(std::string_view bytes) {
  // Straight into a new compact ASCII str: no decoding.
  PyObject* text = PyUnicode_New(static_cast<Py_ssize_t>(bytes.size()), 127);
  if (text != nullptr) std::memcpy(PyUnicode_DATA(text), bytes.data(), bytes.size());
  return text;
}

PyObject* ValueOrNone(std::string_view value) {
  if (value.empty()) Py_RETURN_NONE;
  return PyUnicode_DecodeUTF8(value.data(), static_cast<Py_ssize_t>(value.size()), "strict");
}

}  // namespace kobal::python
