// The library's Shift-JIS answers as Python str objects, decoded once each and then shared.
#pragma once

#include <Python.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <unordered_map>

#include "WrittenLookup.h"

namespace kobal::python {

class AnswerTexts {
 public:
  // A new reference to `answer` as str, or null on a Python error. The answers are few, so each
  // is decoded once and every later caller shares the object: a column of a million numbers
  // costs a million references, not a million strings. Needs the interpreter's lock.
  PyObject* Text(const Answer& answer) {
    Slot& slot = recent_[Hash{}(answer) % recent_.size()];
    if (slot.text == nullptr || slot.answer != answer) {
      PyObject* text = Decoded(answer);
      if (text == nullptr) return nullptr;
      slot = {answer, text};
    }
    Py_INCREF(slot.text);
    return slot.text;
  }

 private:
  struct Hash {
    // The words mixed side by side rather than one after another: a few cycles an answer.
    std::size_t operator()(const Answer& answer) const {
      std::array<std::uint64_t, kAnswerRoom / 8> words;
      std::memcpy(words.data(), answer.data(), kAnswerRoom);
      std::uint64_t hash = 0;
      for (std::size_t i = 0; i < words.size(); ++i) {
        hash ^= (words[i] + i) * 0x9E3779B97F4A7C15u;
      }
      hash = (hash ^ (hash >> 29)) * 0xBF58476D1CE4E5B9u;
      return static_cast<std::size_t>(hash ^ (hash >> 32));
    }
  };
  struct Slot {
    Answer answer;
    PyObject* text;  // borrowed from texts_; null while the slot is empty
  };

  // The str for an answer not among the recent ones: found, or decoded and kept.
  PyObject* Decoded(const Answer& answer);

  // Every answer decoded so far. Holds its references for the life of the process: the module
  // is never unloaded.
  std::unordered_map<Answer, PyObject*, Hash> texts_;
  // In front of it, a table without chains or division: an answer's one slot.
  std::array<Slot, 2048> recent_{};
};

}  // namespace kobal::python
