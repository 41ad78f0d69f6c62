// Decoded answers, kept by their bytes for the process and by number for each thread.
#include "AnswerTexts.h"

#include <string>
#include <unordered_map>

#include "encodings/AnswerText.h"

namespace kobal::python {

PyObject* AnswerText(const char* answer) {
  static std::unordered_map<std::string, PyObject*> texts;  // guarded by the interpreter's lock
  auto found = texts.find(answer);
  if (found == texts.end()) {
    const std::string utf8 = AnswerUtf8(answer);
    PyObject* text =
        PyUnicode_DecodeUTF8(utf8.data(), static_cast<Py_ssize_t>(utf8.size()), "strict");
    if (text == nullptr) return nullptr;
    found = texts.emplace(answer, text).first;
  }
  Py_INCREF(found->second);
  return found->second;
}

ThreadLookup& ThreadLookup::Current() {
  thread_local ThreadLookup lookup;
  return lookup;
}

PyObject* ThreadLookup::Text(std::uint32_t number) {
  if (number >= texts_.size()) texts_.resize(number + 1, nullptr);
  if (texts_[number] == nullptr) {
    PyObject* text = AnswerText(classifier_.AnswerText(number));
    if (text == nullptr) return nullptr;
    texts_[number] = text;
    Py_DECREF(text);  // AnswerText's table keeps it alive
  }
  Py_INCREF(texts_[number]);
  return texts_[number];
}

}  // namespace kobal::python
