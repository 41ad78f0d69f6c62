// lookup_many in chunks: gather with the lock, answer without it, hand out with it.
#include "BatchLookup.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "AnswerTexts.h"
#include "PythonText.h"

namespace py = pybind11;

namespace kobal::python {
namespace {

// Items per chunk: the lock changes hands a few hundred times a million numbers, which costs
// nothing beside the answers, and a chunk's answers (190 KB) stay in the cache.
constexpr std::size_t kChunkItems = 4096;
// Encoded copies of non-ASCII texts a chunk may hold, so that memory follows the input's
// largest item rather than the whole input.
constexpr std::size_t kChunkCopyBytes = std::size_t{1} << 20;

struct Item {
  std::string_view written;
  bool text;  // a str; anything else is no number
};

}  // namespace

py::list LookupMany(py::handle texts) {
  // A text is iterable too, character by character: surely a call meant for lookup().
  if (PyUnicode_Check(texts.ptr()) || PyBytes_Check(texts.ptr())) {
    throw py::type_error(std::string("lookup_many() takes an iterable of str, not ") +
                         Py_TYPE(texts.ptr())->tp_name + " (for one number, lookup())");
  }
  py::object values = py::reinterpret_borrow<py::object>(texts);
  // A pandas Series iterates through Python code, item by item; the array of its values (the
  // same objects, not copied for a column of str) does not.
  if (!PyList_Check(texts.ptr()) && !PyTuple_Check(texts.ptr()) &&
      py::hasattr(texts, "__array__") && py::hasattr(texts, "index") &&
      py::hasattr(texts, "ndim") && py::int_(1).equal(texts.attr("ndim"))) {
    values = texts.attr("__array__")();
  }
  PyObject* iterator = PyObject_GetIter(values.ptr());
  if (iterator == nullptr) {
    if (!PyErr_ExceptionMatches(PyExc_TypeError)) throw py::error_already_set();
    PyErr_Clear();
    throw py::type_error(std::string("lookup_many() takes an iterable of str, not ") +
                         Py_TYPE(texts.ptr())->tp_name);
  }
  const auto iteration = py::reinterpret_steal<py::object>(iterator);
  py::list result;
  std::vector<py::object> held;  // the chunk's items and copies, alive while it is answered
  std::vector<Item> items;
  std::vector<std::uint32_t> numbers(kChunkItems);  // the chunk's answers
  ThreadLookup& lookup = ThreadLookup::Current();
  held.reserve(2 * kChunkItems);
  items.reserve(kChunkItems);
  for (bool more = true; more;) {
    held.clear();
    items.clear();
    std::size_t copied = 0;
    while (items.size() < kChunkItems && copied < kChunkCopyBytes) {
      PyObject* item = PyIter_Next(iterator);
      if (item == nullptr) {
        if (PyErr_Occurred()) throw py::error_already_set();
        more = false;
        break;
      }
      held.push_back(py::reinterpret_steal<py::object>(item));
      if (!PyUnicode_Check(item)) {
        items.push_back({{}, false});
        continue;
      }
      const TextBytes utf8 = Utf8Of(item);
      if (utf8.bytes.data() == nullptr) throw py::error_already_set();
      if (utf8.owner != nullptr) {
        held.push_back(py::reinterpret_steal<py::object>(utf8.owner));
        copied += utf8.bytes.size();
      }
      items.push_back({utf8.bytes, true});
    }
    {
      py::gil_scoped_release unlocked;
      for (std::size_t i = 0; i < items.size(); ++i) {
        numbers[i] = lookup.Classify(items[i].text ? items[i].written : std::string_view());
      }
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
      PyObject* text = lookup.Text(numbers[i]);
      if (text == nullptr) throw py::error_already_set();
      const int appended = PyList_Append(result.ptr(), text);
      Py_DECREF(text);
      if (appended != 0) throw py::error_already_set();
    }
  }
  return result;
}

}  // namespace kobal::python
