// lookup_many in chunks: gather with the lock, answer without it, hand out with it.
#include "BatchLookup.h"

#include <cstdint>
#include <string_view>
#include <vector>

#include "AnswerTexts.h"
#include "ColumnItems.h"

namespace py = pybind11;

namespace kobal::python {

py::list LookupMany(py::handle texts) {
  ColumnItems column(texts, "lookup_many", "lookup");
  py::list result;
  std::vector<std::uint32_t> numbers(kChunkItems);  // the chunk's answers
  ThreadLookup& lookup = ThreadLookup::Current();
  while (column.Next()) {
    const std::vector<ColumnItem>& items = column.Items();
    {
      py::gil_scoped_release unlocked;
      for (std::size_t i = 0; i < items.size(); ++i) {
        // Anything but a str is no number.
        numbers[i] = lookup.Classify(items[i].written);
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
