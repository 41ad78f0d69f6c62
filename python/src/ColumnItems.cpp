#include "ColumnItems.h"

#include <cmath>
#include <cstring>
#include <string>

#include "PythonText.h"

namespace py = pybind11;

namespace kobal::python {
namespace {

// Encoded copies of non-ASCII texts a chunk may hold, so that memory follows the input's
// largest item rather than the whole input.
constexpr std::size_t kChunkCopyBytes = std::size_t{1} << 20;

// pandas' markers of a gap, known by their type's name so that pandas need not be imported.
bool IsPandasGap(PyObject* item) {
  const char* name = Py_TYPE(item)->tp_name;
  const char* dot = std::strrchr(name, '.');
  const char* base = dot != nullptr ? dot + 1 : name;
  return std::strcmp(base, "NAType") == 0 || std::strcmp(base, "NaTType") == 0;
}

ItemKind KindOf(PyObject* item) {
  if (PyUnicode_Check(item)) return ItemKind::kText;
  if (item == Py_None) return ItemKind::kMissing;
  // NumPy's float64 is a float: a NaN of a column of numbers read from a file is a gap too.
  if (PyFloat_Check(item)) {
    return std::isnan(PyFloat_AS_DOUBLE(item)) ? ItemKind::kMissing : ItemKind::kOther;
  }
  return IsPandasGap(item) ? ItemKind::kMissing : ItemKind::kOther;
}

}  // namespace

ColumnItems::ColumnItems(py::handle texts, const char* function, const char* oneValue) {
  // A text is iterable too, character by character: surely a call meant for `oneValue`.
  if (PyUnicode_Check(texts.ptr()) || PyBytes_Check(texts.ptr())) {
    throw py::type_error(std::string(function) + "() takes an iterable of str, not " +
                         Py_TYPE(texts.ptr())->tp_name + " (for one number, " + oneValue + "())");
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
    throw py::type_error(std::string(function) + "() takes an iterable of str, not " +
                         Py_TYPE(texts.ptr())->tp_name);
  }
  iterator_ = py::reinterpret_steal<py::object>(iterator);
  held_.reserve(2 * kChunkItems);
  items_.reserve(kChunkItems);
}

std::size_t ColumnItems::LengthHint() const {
  const Py_ssize_t hint = PyObject_LengthHint(iterator_.ptr(), 0);
  if (hint < 0) throw py::error_already_set();
  return static_cast<std::size_t>(hint);
}

bool ColumnItems::Next() {
  held_.clear();
  items_.clear();
  std::size_t copied = 0;
  while (!ended_ && items_.size() < kChunkItems && copied < kChunkCopyBytes) {
    PyObject* item = PyIter_Next(iterator_.ptr());
    if (item == nullptr) {
      if (PyErr_Occurred()) throw py::error_already_set();
      ended_ = true;
      break;
    }
    held_.push_back(py::reinterpret_steal<py::object>(item));
    const ItemKind kind = KindOf(item);
    if (kind != ItemKind::kText) {
      items_.push_back({{}, kind, false, item});
      continue;
    }
    const TextBytes utf8 = Utf8Of(item);
    if (utf8.bytes.data() == nullptr) throw py::error_already_set();
    if (utf8.owner != nullptr) {
      held_.push_back(py::reinterpret_steal<py::object>(utf8.owner));
      copied += utf8.bytes.size();
    }
    const bool plainAscii = utf8.owner == nullptr && PyUnicode_CheckExact(item);
    items_.push_back({utf8.bytes, kind, plainAscii, item});
  }
  return !items_.empty();
}

}  // namespace kobal::python
