// str to UTF-8 without copying the common ASCII text, and without caching a copy on the str.
#include "PythonText.h"

namespace kobal::python {

TextBytes EncodeUtf8(PyObject* text, Py_ssize_t limit) {
  PyObject* part = text;
  const Py_ssize_t length = PyUnicode_GetLength(text);
  if (length < 0) return {{}, nullptr};
  if (length > limit) {
    part = PyUnicode_Substring(text, 0, limit);
    if (part == nullptr) return {{}, nullptr};
  } else {
    Py_INCREF(part);
  }
  // Not PyUnicode_AsUTF8AndSize: it keeps the copy on the str for the str's whole life.
  PyObject* encoded = PyUnicode_AsEncodedString(part, "utf-8", "surrogatepass");
  Py_DECREF(part);
  if (encoded == nullptr) return {{}, nullptr};
  return {{PyBytes_AS_STRING(encoded), static_cast<std::size_t>(PyBytes_GET_SIZE(encoded))},
          encoded};
}

}  // namespace kobal::python
