// Decoded answers, kept by their bytes.
#include "AnswerTexts.h"

namespace kobal::python {

PyObject* AnswerTexts::Text(const char* answer) {
  const std::string_view bytes(answer);
  auto found = texts_.find(bytes);
  if (found == texts_.end()) {
    // Python's cp932 is the code page the library writes (Shift-JIS as Windows has it).
    PyObject* text =
        PyUnicode_Decode(bytes.data(), static_cast<Py_ssize_t>(bytes.size()), "cp932", "strict");
    if (text == nullptr) return nullptr;
    found = texts_.emplace(bytes, text).first;
  }
  Py_INCREF(found->second);
  return found->second;
}

}  // namespace kobal::python
