// A batch of lines classified in one call of the WebAssembly module: the page hands in a block
// of whole lines and gets back where each starts and the number of its answer, so that the loop
// over lines, the search for line ends and the answers met before all stay inside the module.
// The answers are the lookup core's, numbered as it meets them.
#include <cstdint>
#include <string_view>

#include "lookup/LibraryAnswer.h"
#include "lookup/lines/LineClassifier.h"
#include "web/wasm/ForEachLine.h"

namespace {

kobal::lookup::LineClassifier& Classifier() {
  static kobal::lookup::LineClassifier classifier;  // the module runs on one thread
  return classifier;
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
