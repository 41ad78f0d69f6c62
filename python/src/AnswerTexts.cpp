// Decoded answers, kept by their bytes.
#include "AnswerTexts.h"

namespace kobal::python {

PyObject* AnswerTexts::Decoded(const Answer& answer) {
  auto found = texts_.find(answer);
  if (found == texts_.end()) {
    // Python's cp932 is the code page the library writes (Shift-JIS as Windows has it).
    const auto size = static_cast<Py_ssize_t>(std::strlen(answer.data()));
    PyObject* text = PyUnicode_Decode(answer.data(), size, "cp932", "strict");
    if (text == nullptr) return nullptr;
    found = texts_.emplace(answer, text).first;
  }
  return found->second;
}

}  // namespace kobal::python
