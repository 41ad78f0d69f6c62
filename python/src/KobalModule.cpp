// The kobal Python module: the library's answers, and the normaliser's reading of written
// numbers, for str and bytes and for whole columns.
#include <pybind11/pybind11.h>

#include <string>

#include "AnswerFields.h"
#include "AnswerTexts.h"
#include "BatchLookup.h"
#include "ParseMany.h"
#include "PythonText.h"
#include "kobal/KobalFnc.h"
#include "lookup/LibraryAnswer.h"
#include "normaliser/NumberNormaliser.h"

namespace py = pybind11;

namespace kobal::python {
namespace {

// DetectCarrier reads no further than the longest number it tells apart (a dozen characters):
// a longer str answers as its first characters do, so a huge one is not encoded whole.
constexpr Py_ssize_t kNumberWindow = 64;

[[noreturn]] void WrongType(const char* function, const char* expected, py::handle given) {
  throw py::type_error(std::string(function) + "() takes " + expected + ", not " +
                       Py_TYPE(given.ptr())->tp_name);
}

// The number's bytes for DetectCarrier: a bytes object's own, or a str's UTF-8 (the same bytes
// for ASCII digits), each followed by a NUL. Of a str longer than the library reads, the first
// characters, with a NUL among the rest standing for itself: such a text is no number either.
py::object NumberBytes(py::handle number, const char* function, std::string_view& bytes) {
  if (PyBytes_Check(number.ptr())) {
    bytes = {PyBytes_AS_STRING(number.ptr()),
             static_cast<std::size_t>(PyBytes_GET_SIZE(number.ptr()))};
    return py::object();
  }
  if (!PyUnicode_Check(number.ptr())) WrongType(function, "the number as str or bytes", number);
  const Py_ssize_t length = PyUnicode_GetLength(number.ptr());
  if (length > kNumberWindow) {
    const Py_ssize_t nul = PyUnicode_FindChar(number.ptr(), 0, kNumberWindow, length, 1);
    if (nul == -2) throw py::error_already_set();
    if (nul >= 0) {
      bytes = std::string_view("", 1);
      return py::object();
    }
  }
  const TextBytes utf8 = Utf8Of(number.ptr(), kNumberWindow);
  if (utf8.bytes.data() == nullptr) throw py::error_already_set();
  bytes = utf8.bytes;
  return py::reinterpret_steal<py::object>(utf8.owner);
}

// The written text's UTF-8, and the object that holds it while it is read.
py::object WrittenBytes(py::handle text, const char* function, std::string_view& written) {
  if (!PyUnicode_Check(text.ptr())) WrongType(function, "the written number as str", text);
  const TextBytes utf8 = Utf8Of(text.ptr());
  if (utf8.bytes.data() == nullptr) throw py::error_already_set();
  written = utf8.bytes;
  return py::reinterpret_steal<py::object>(utf8.owner);
}

py::bytes DetectCarrierBytes(py::handle number) {
  std::string_view bytes;
  const py::object owner = NumberBytes(number, "detect_carrier_bytes", bytes);
  lookup::AnswerBuffer answer;
  lookup::AskAsItStands(bytes, answer);
  return py::bytes(answer.data());
}

py::object DetectCarrierText(py::handle number) {
  std::string_view bytes;
  const py::object owner = NumberBytes(number, "detect_carrier", bytes);
  lookup::AnswerBuffer answer;
  lookup::AskAsItStands(bytes, answer);
  PyObject* text = AnswerText(answer.data());
  if (text == nullptr) throw py::error_already_set();
  return py::reinterpret_steal<py::object>(text);
}

py::object Normalise(py::handle text) {
  std::string_view written;
  const py::object owner = WrittenBytes(text, "normalise", written);
  std::string number;
  if (!NormaliseNumber(written, number)) return py::none();
  return py::str(number);
}

py::object Lookup(py::handle text) {
  std::string_view written;
  const py::object owner = WrittenBytes(text, "lookup", written);
  ThreadLookup& lookup = ThreadLookup::Current();
  PyObject* answerText = lookup.Text(lookup.Classify(written));
  if (answerText == nullptr) throw py::error_already_set();
  return py::reinterpret_steal<py::object>(answerText);
}

py::object Format(py::handle text) {
  std::string_view written;
  const py::object owner = WrittenBytes(text, "format", written);
  lookup::TextAnswerer& answerer = ThreadAnswerer();
  answerer.Answer(written);
  const std::string_view formatted = answerer.Text(Field::kFormatted, written);
  if (formatted.empty()) return py::none();
  PyObject* value = AsciiText(formatted);
  if (value == nullptr) throw py::error_already_set();
  return py::reinterpret_steal<py::object>(value);
}

// The values of kobal.Answer, in its order; the package makes the named tuple.
py::tuple Parse(py::handle text) {
  std::string_view written;
  const py::object owner = WrittenBytes(text, "parse", written);
  lookup::TextAnswerer& answerer = ThreadAnswerer();
  const lookup::TextAnswer& answer = answerer.Answer(written);
  py::tuple values(kAnswerFields.size());
  for (std::size_t i = 0; i < kAnswerFields.size(); ++i) {
    const Field field = kAnswerFields[i];
    // The library's answers are decoded once each; the empty one is None as every empty field.
    PyObject* value = field == Field::kResult && answer.result[0] != '\0'
                          ? AnswerText(answer.result.data())
                          : ValueOrNone(answerer.Text(field, written));
    if (value == nullptr) throw py::error_already_set();
    PyTuple_SET_ITEM(values.ptr(), static_cast<Py_ssize_t>(i), value);
  }
  return values;
}

}  // namespace
}  // namespace kobal::python

PYBIND11_MODULE(_kobal, module) {
  using namespace kobal::python;
  module.doc() =
      "What a Japanese telephone number is, as the numbering stood in 2000: the library's\n"
      "answers (Shift-JIS decoded to str), and numbers as people write them.";
  module.def("detect_carrier", &DetectCarrierText, py::arg("number"),
             R"(The library's answer for the number's digits, as str.

The number is its bytes exactly as the library reads them: ASCII digits with no
separators, given as str or bytes (a str is read as its UTF-8). Nothing is
normalised: "03-3520-1234" answers 不明. One holding a NUL answers 不明, as in
kobal-lookup --raw: the library would stop there and answer for another number.
Use lookup() for written numbers.

>>> detect_carrier("0112012345")
'NTT固定（北海道札幌大通）'
>>> detect_carrier(b"117")
'時報'

Raises TypeError when the number is neither str nor bytes.)");
  module.def("detect_carrier_bytes", &DetectCarrierBytes, py::arg("number"),
             R"(The library's answer for the number's digits, as its Shift-JIS bytes unchanged.

>>> detect_carrier_bytes("117").decode("cp932")
'時報'

Raises TypeError when the number is neither str nor bytes.)");
  module.def("normalise", &Normalise, py::arg("text"),
             R"(The ASCII digits of the one number written in text, or None.

Read by the rules of kobal-lookup: full-width digits, any hyphen, dash, space,
dot or bracket between the groups, a label first (TEL, 電話 ...), a country
code (+81 ...), an extension or a note in brackets last. Anything else, letters
and masks such as "XXXX" included, is no number.

>>> normalise("TEL: +81 (0)3-3520-1234 内線 12")
'0335201234'
>>> normalise("03-3520-XXXX") is None
True

Raises TypeError when text is not a str.)");
  module.def("lookup", &Lookup, py::arg("text"),
             R"(What the number written in text is, as kobal-lookup answers a line.

The text is normalised, then looked up; a text that is not one number answers
"不明".

>>> lookup("０３－３５２０－１２３４")
'NTT固定（東京都新有明）'
>>> lookup("n/a")
'不明'

Raises TypeError when text is not a str.)");
  module.def(
      "lookup_many", [](py::handle texts) { return LookupMany(texts); }, py::arg("texts"),
      R"(lookup() over every item of texts, in order, as a list.

texts is any iterable: a list, a pandas Series, a NumPy array of objects. An
item that is not a str (None, NaN, a number) answers "不明" rather than raising.
The answers are worked out without the interpreter's lock, so other threads
run meanwhile.

>>> lookup_many(["117", None, "090-1234-5678"])
['時報', '不明', 'ツーカーセルラー東海']
>>> df["種別"] = lookup_many(df["電話番号"])  # doctest: +SKIP

Raises TypeError when texts is not iterable, or is one str or bytes.)");
  module.def("format", &Format, py::arg("text"),
             R"(The number written in text, with hyphens where the numbering splits it, or None.

Ten-digit fixed lines by the ministry's split of their first six digits, Hakone's
nine digits, 090 and 070 mobiles and PHS, 0120, 0800 and 0990, and three-digit
service numbers as they are. None for a text that is no number and for numbers
outside these shapes (050, 080, 0570 ...).

>>> format("0123201234")
'0123-20-1234'
>>> format("+81 90 1234 5678")
'090-1234-5678'
>>> format("050-1234-5678") is None
True

Raises TypeError when text is not a str.)");
  module.def("_parse", &Parse, py::arg("text"),
             "The values of parse(text), in the order of Answer's fields, as a tuple.");
  module.def(
      "parse_many", [](py::handle texts) { return ParseMany(texts); }, py::arg("texts"),
      R"(parse() over every item of texts, as columns: a dict of each field of Answer
(in its order) to a list with a value for every item, in order.

texts is any iterable: a list, a pandas Series, a NumPy array of objects. A gap
(None, NaN, pd.NA, pd.NaT) has the status "missing"; any other item that is not
a str (a number, bytes) is "not-a-number"; both answer "不明" with every other
field None. The answers are worked out without the interpreter's lock, so other
threads run meanwhile. Equal values (a prefecture, a place, an answer) are one
str object shared by the rows of the call.

>>> parse_many(["117", None])["status"]
['number', 'missing']
>>> df = pd.DataFrame(parse_many(customers["電話番号"]))  # doctest: +SKIP

Raises TypeError when texts is not iterable, or is one str or bytes.)");
  module.attr("__version__") = KOBAL_VERSION;
}
