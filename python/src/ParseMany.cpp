// parse_many in chunks: gather with the lock, answer without it, build the columns with it.
// A column of a million answers holds a few hundred distinct prefectures, places, kinds and
// results: each is made a str once a call and shared, so only numbers are new strings.
#include "ParseMany.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "AnswerFields.h"
#include "AnswerTexts.h"
#include "ColumnItems.h"
#include "lookup/lines/AnswerCache.h"

namespace py = pybind11;

namespace kobal::python {
namespace {

// The fields whose values are views into constant data (the fields' tables, the names of kinds
// and statuses), so that a value is known by its address and size alone.
constexpr std::array<Field, 7> kSharedFields = {Field::kStatus, Field::kKind, Field::kPrefecture,
                                                Field::kPlace,  Field::kMa,   Field::kCarrier,
                                                Field::kRegion};

// Numbers the distinct values of the shared fields, by where they lie; 0 is the empty value.
class ValueIds {
 public:
  ValueIds() : slots_(256) { values_.emplace_back(); }

  std::uint32_t Id(std::string_view value) {
    if (value.empty()) return 0;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = Hash(value) & mask;; i = (i + 1) & mask) {
      Slot& slot = slots_[i];
      if (slot.id == 0) {
        slot = {value.data(), value.size(), static_cast<std::uint32_t>(values_.size())};
        values_.push_back(value);
        if (2 * values_.size() > slots_.size()) Grow();
        return static_cast<std::uint32_t>(values_.size() - 1);
      }
      if (slot.data == value.data() && slot.size == value.size()) return slot.id;
    }
  }

  std::string_view Value(std::uint32_t id) const { return values_[id]; }
  std::size_t Count() const { return values_.size(); }

 private:
  struct Slot {
    const char* data = nullptr;
    std::size_t size = 0;
    std::uint32_t id = 0;  // 0: free
  };

  static std::size_t Hash(std::string_view value) {
    const std::uint64_t address = reinterpret_cast<std::uintptr_t>(value.data());
    const std::uint64_t size = value.size();
    return static_cast<std::size_t>(((address ^ (size << 48)) * 0x9E3779B97F4A7C15u) >> 32);
  }

  void Grow() {
    std::vector<Slot> old(2 * slots_.size());
    old.swap(slots_);
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
      if (slot.id == 0) continue;
      std::size_t i = Hash({slot.data, slot.size}) & mask;
      while (slots_[i].id != 0) i = (i + 1) & mask;
      slots_[i] = slot;
    }
  }

  std::vector<Slot> slots_;  // a power of two, at most half used
  std::vector<std::string_view> values_;
};

// What a chunk's answer leaves for its row of the columns, once the answerer has moved on.
struct Row {
  std::size_t numberAt, formattedAt;  // in the chunk's digits
  std::size_t numberSize, formattedSize;
  bool numberIsItem;  // the number is the item's own text: its str is reused
  std::array<std::uint32_t, kSharedFields.size()> values;
  std::uint32_t result;  // the answer's number in the call's AnswerCache
};

// The columns being built, and the str of every shared value and answer made so far. The rows'
// values are gathered in vectors, which grow by doubling, and copied into lists once at the end:
// a list grown item by item is copied many times over a long column.
class Columns {
 public:
  // `rows`: how many rows the column is likely to have (what the iterable tells, which it may
  // get wrong), so that room for them is set aside at once.
  Columns(const ValueIds& ids, std::size_t rows) : ids_(ids) {
    for (std::vector<PyObject*>& values : values_) values.reserve(std::min(rows, kMostRowsAhead));
  }
  Columns(const Columns&) = delete;
  Columns& operator=(const Columns&) = delete;

  ~Columns() {
    for (const std::vector<PyObject*>& values : values_) {
      for (PyObject* value : values) Py_DECREF(value);
    }
  }

  // Appends the row of an item; needs the lock.
  void Append(const Row& row, const ColumnItem& item, std::string_view digits,
              const lookup::AnswerCache& results) {
    const std::string_view numberText =
        row.numberIsItem ? item.written : digits.substr(row.numberAt, row.numberSize);
    const py::object number = Number(row, item, numberText);
    AppendTo(Field::kNumber, number.ptr());
    const std::string_view formatted = digits.substr(row.formattedAt, row.formattedSize);
    if (formatted.empty()) {
      AppendTo(Field::kFormatted, Py_None);
    } else if (formatted == numberText) {
      AppendTo(Field::kFormatted, number.ptr());  // three digits: as they are
    } else {
      AppendTo(Field::kFormatted, Steal(AsciiText(formatted)).ptr());
    }
    for (std::size_t i = 0; i < kSharedFields.size(); ++i) {
      AppendTo(kSharedFields[i], Shared(row.values[i]));
    }
    AppendTo(Field::kResult, Result(row.result, results));
  }

  // The columns as lists, which take the rows' references over.
  py::dict Dict() {
    py::dict columns;
    for (std::size_t i = 0; i < kAnswerFields.size(); ++i) {
      std::vector<PyObject*>& values = values_[i];
      const auto list = Steal(PyList_New(static_cast<Py_ssize_t>(values.size())));
      for (std::size_t row = 0; row < values.size(); ++row) {
        PyList_SET_ITEM(list.ptr(), static_cast<Py_ssize_t>(row), values[row]);
      }
      values.clear();
      const std::string_view name = FieldName(kAnswerFields[i]);
      columns[py::str(name.data(), name.size())] = list;
    }
    return columns;
  }

 private:
  // No more room is set aside at first than this, whatever the iterable tells.
  static constexpr std::size_t kMostRowsAhead = std::size_t{1} << 24;

  static py::object Steal(PyObject* object) {
    if (object == nullptr) throw py::error_already_set();
    return py::reinterpret_steal<py::object>(object);
  }

  static py::object Number(const Row& row, const ColumnItem& item, std::string_view text) {
    if (text.empty()) return py::none();
    if (row.numberIsItem) return py::reinterpret_borrow<py::object>(item.object);
    return Steal(AsciiText(text));
  }

  void AppendTo(Field field, PyObject* value) {
    values_[AnswerFieldIndex(field)].push_back(value);
    Py_INCREF(value);
  }

  // The one str of a shared value (equal texts at different places share it too), or None.
  PyObject* Shared(std::uint32_t id) {
    if (id == 0) return Py_None;
    if (id >= shared_.size()) shared_.resize(ids_.Count());
    if (!shared_[id]) {
      const std::string_view value = ids_.Value(id);
      py::object& text = byText_[value];
      if (!text) text = Steal(ValueOrNone(value));
      shared_[id] = text;
    }
    return shared_[id].ptr();
  }

  PyObject* Result(std::uint32_t number, const lookup::AnswerCache& results) {
    if (number >= results_.size()) results_.resize(number + 1);
    if (!results_[number]) {
      const char* answer = results.Text(number);
      results_[number] = *answer == '\0' ? py::none() : Steal(AnswerText(answer));
    }
    return results_[number].ptr();
  }

  const ValueIds& ids_;
  std::array<std::vector<PyObject*>, kAnswerFields.size()> values_;  // new references
  std::vector<py::object> shared_;                                   // by id
  std::unordered_map<std::string_view, py::object> byText_;
  std::vector<py::object> results_;  // by the answer's number
};

}  // namespace

py::dict ParseMany(py::handle texts) {
  ColumnItems column(texts, "parse_many", "parse");
  lookup::TextAnswerer& answerer = ThreadAnswerer();
  ValueIds ids;
  lookup::AnswerCache results;
  Columns columns(ids, column.LengthHint());
  std::vector<Row> rows(kChunkItems);
  std::string digits;  // the chunk's numbers and formatted numbers, one after the other
  while (column.Next()) {
    const std::vector<ColumnItem>& items = column.Items();
    digits.clear();
    {
      py::gil_scoped_release unlocked;
      for (std::size_t i = 0; i < items.size(); ++i) {
        const ColumnItem& item = items[i];
        // Anything but a str or a gap is no number, as an empty text is.
        const lookup::TextAnswer& answer =
            item.kind == ItemKind::kMissing ? answerer.Missing() : answerer.Answer(item.written);
        Row& row = rows[i];
        const std::string_view number = answerer.Text(Field::kNumber, item.written);
        const std::string_view formatted = answerer.Text(Field::kFormatted, item.written);
        row.numberIsItem = item.plainAscii && !number.empty() && number == item.written;
        row.numberAt = digits.size();
        row.numberSize = number.size();
        if (!row.numberIsItem) digits.append(number);
        row.formattedAt = digits.size();
        row.formattedSize = formatted.size();
        digits.append(formatted);
        for (std::size_t k = 0; k < kSharedFields.size(); ++k) {
          row.values[k] = ids.Id(answerer.Text(kSharedFields[k], item.written));
        }
        row.result = results.Number(answer.result);
      }
    }
    for (std::size_t i = 0; i < items.size(); ++i)
      columns.Append(rows[i], items[i], digits, results);
  }
  return columns.Dict();
}

}  // namespace kobal::python
