// A batch of lines classified in one call of the WebAssembly module: the page hands in a block
// of whole lines and gets back where each starts and the number of its answer, so that the loop
// over lines, the search for line ends and the answers met before all stay inside the module.
// The answers are the lookup core's, numbered as it meets them.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/FieldEscape.h"
#include "lookup/LibraryAnswer.h"
#include "lookup/lines/LineClassifier.h"
#include "lookup/records/RecordWriter.h"

namespace {

kobal::lookup::LineClassifier& Classifier() {
  static kobal::lookup::LineClassifier classifier;  // the module runs on one thread
  return classifier;
}

// Calls `line(start, text)` for each line of the `size` bytes at `text`: a line ends at LF, a
// CR before it is dropped, and a last line without LF counts.
template <typename LineFunction>
void ForEachLine(const char* text, uint32_t size, LineFunction line) {
  for (uint32_t start = 0; start < size;) {
    const void* newline = std::memchr(text + start, '\n', size - start);
    const uint32_t end =
        newline == nullptr ? size : static_cast<uint32_t>(static_cast<const char*>(newline) - text);
    uint32_t length = end - start;
    if (length > 0 && text[end - 1] == '\r') length--;
    line(start, std::string_view(text + start, length));
    start = end + 1;
  }
}

}  // namespace

// Classifies the lines of the `size` bytes at `text` (UTF-8): a line ends at LF, a CR before it
// is dropped, and a last line without LF counts. For line i it writes where it starts, plus
// `base`, into starts[i], and the number of its answer (see KobalAnswerText) into answers[i];
// a line that is not one number gets the answer for no number, as in kobal-lookup. Returns the
// number of lines; both arrays must hold that many (at most `size`, and one more than the LFs).
extern "C" __attribute__((visibility("default"))) uint32_t KobalClassifyLines(
    const char* text, uint32_t size, uint32_t base, uint32_t* starts, uint16_t* answers) {
  kobal::lookup::LineClassifier& classifier = Classifier();
  uint32_t lines = 0;
  ForEachLine(text, size, [&](uint32_t start, std::string_view line) {
    starts[lines] = base + start;
    // The library holds a few thousand distinct texts: their numbers fit.
    answers[lines++] = static_cast<uint16_t>(classifier.Classify(line));
  });
  return lines;
}

// The Shift-JIS bytes of answer `number` as DetectCarrier wrote them, NUL-terminated and valid
// until the next KobalClassifyLines; null for a number not given out yet.
extern "C" __attribute__((visibility("default"))) const char* KobalAnswerText(uint32_t number) {
  return Classifier().AnswerText(number);
}

// Answers `count` items laid one after another from `text`: item i runs from one past the end of
// item i - 1 to its end, ends[i] without its top bit, where a NUL follows it. The top bit marks
// an item of ASCII digits only, which the loader sees as it lays the items out. Writes each
// item's answer number into answers[i] (see KobalAnswerText): when `raw`, DetectCarrier's answer
// for the item as it is (for one holding a NUL, the answer for no number); otherwise the lookup
// core's, the item normalised as a line of kobal-lookup.
extern "C" __attribute__((visibility("default"))) void KobalAnswerItems(
    const char* text, uint32_t count, const uint32_t* ends, uint32_t raw, uint16_t* answers) {
  constexpr uint32_t kDigitsOnly = uint32_t{1} << 31;
  kobal::lookup::LineClassifier& classifier = Classifier();
  uint32_t start = 0;
  for (uint32_t i = 0; i < count; i++) {
    const uint32_t end = ends[i] & ~kDigitsOnly;
    const std::string_view item(text + start, end - start);
    // Digits asked as they stand, with no search for a NUL, as kobal-lookup asks them.
    const bool plain =
        (ends[i] & kDigitsOnly) != 0 && kobal::lookup::DigitsGoAsTheyStand(item, raw != 0);
    answers[i] = static_cast<uint16_t>(plain ? classifier.ClassifyNumber(item.data())
                                             : classifier.Classify(item, raw != 0));
    start = end + 1;
  }
}

// The batch's CSV records for the lines of the `size` bytes at `text` (UTF-8, lines as
// KobalClassifyLines reads them): each line as read, the number that went to the library (empty
// for none) and its answer, RFC 4180 with CRLF, in UTF-8 or, when `shiftJis`, code page 932 with
// the library's own bytes of the answer, as kobal-lookup writes its fields; a line a spreadsheet
// would evaluate gets a leading apostrophe. Returns the bytes, valid until the next call, and
// puts their size in *written.
extern "C" __attribute__((visibility("default"))) const char* KobalBatchCsv(const char* text,
                                                                            uint32_t size,
                                                                            uint32_t shiftJis,
                                                                            uint32_t* written) {
  using namespace kobal::lookup;
  static std::string csv;
  static std::string digits;
  static std::vector<std::string> answerFields[2];  // by answer number, made once each
  kobal::lookup::LineClassifier& classifier = Classifier();
  const FieldBytes bytes = shiftJis != 0 ? FieldBytes::kShiftJis : FieldBytes::kUtf8;
  const kobal::TextEncoding encoding =
      shiftJis != 0 ? kobal::TextEncoding::kShiftJis : kobal::TextEncoding::kUtf8;
  std::vector<std::string>& fields = answerFields[shiftJis != 0 ? 1 : 0];
  csv.clear();
  ForEachLine(text, size, [&](uint32_t, std::string_view line) {
    const std::optional<std::string_view> number = NumberToAsk(line, line, false, digits);
    const uint32_t answer =
        number ? classifier.ClassifyNumber(number->data()) : classifier.Classify(line);
    if (answer >= fields.size()) fields.resize(answer + 1);
    if (fields[answer].empty())
      fields[answer] = AnswerField(classifier.AnswerText(answer), OutputFormat::kCsv, encoding);

    const std::string_view numberText = number.value_or("");
    const std::size_t before = csv.size();
    csv.resize(before + MaxEscapedSize(line.size()) + 2 + numberText.size() + 1 +
               fields[answer].size() + 2);
    char* out = csv.data() + before;
    out = WriteCsvCell(line, bytes, {.guardFormulas = true}, out);
    *out++ = ',';
    out = std::copy(numberText.begin(), numberText.end(), out);
    *out++ = ',';
    out = std::copy(fields[answer].begin(), fields[answer].end(), out);
    *out++ = '\r';
    *out++ = '\n';
    csv.resize(static_cast<std::size_t>(out - csv.data()));
  });
  *written = static_cast<uint32_t>(csv.size());
  return csv.data();
}
