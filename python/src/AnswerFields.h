// A written text answered as data, for Python: the lookup core's TextAnswerer, one per thread,
// and the fields the module gives, in their order.
#pragma once

#include <Python.h>

#include <array>
#include <cstddef>
#include <string_view>

#include "fields/Field.h"
#include "lookup/TextAnswer.h"

namespace kobal::python {

// Every field but input, in the order of kobal.Answer and of parse_many's columns.
inline constexpr std::array<Field, kFieldCount - 1> kAnswerFields = {
    Field::kNumber, Field::kFormatted, Field::kStatus,  Field::kKind,   Field::kPrefecture,
    Field::kPlace,  Field::kMa,        Field::kCarrier, Field::kRegion, Field::kResult};

// kAnswerFields is the order of Field after input: a field's place is its value less one.
constexpr std::size_t AnswerFieldIndex(Field field) { return static_cast<std::size_t>(field) - 1; }
static_assert([] {
  for (std::size_t i = 0; i < kAnswerFields.size(); ++i) {
    if (AnswerFieldIndex(kAnswerFields[i]) != i) return false;
  }
  return true;
}());

// The thread's answerer: it keeps the last answer, and parse_many answers without the lock.
lookup::TextAnswerer& ThreadAnswerer();

// A new reference to the str of ASCII `bytes` (digits, hyphens), or null on a Python error.
PyObject* AsciiText(std::string_view bytes);

// A new reference to the str of UTF-8 `value`, or to None when it is empty; null on an error.
PyObject* ValueOrNone(std::string_view value);

}  // namespace kobal::python
