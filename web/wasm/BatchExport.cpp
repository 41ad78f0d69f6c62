// A batch of lines classified in one call of the WebAssembly module: the page hands in a block
// of whole lines and gets back where each starts and the number of its answer, so that the loop
// over lines, the search for line ends and the answers met before all stay inside the module.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "NumberNormaliser.h"
#include "kobal/KobalFnc.h"

namespace {

struct TransparentHash {
  using is_transparent = void;
  size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

// Every answer met so far, once, numbered in the order met: a batch of a million lines refers to
// a few hundred texts. The numbers stay valid as long as the module lives.
class AnswerBook {
 public:
  uint16_t NumberOf(std::string_view answer) {
    if (auto found = numbers_.find(answer); found != numbers_.end()) return found->second;
    const auto number = static_cast<uint16_t>(answers_.size());
    answers_.emplace_back(answer);
    numbers_.emplace(answers_.back(), number);
    return number;
  }

  const char* Text(uint32_t number) const {
    return number < answers_.size() ? answers_[number].c_str() : nullptr;
  }

 private:
  std::vector<std::string> answers_;
  std::unordered_map<std::string, uint16_t, TransparentHash, std::equal_to<>> numbers_;
};

AnswerBook& Answers() {
  static AnswerBook book;  // the module runs on one thread
  return book;
}

// The answer's number for a number's digits, or for no number when `digits` is null.
uint16_t AnswerFor(const char* digits) {
  char result[KOBAL_RESULT_SIZE];
  DetectCarrier(digits == nullptr ? "" : digits, result);
  return Answers().NumberOf(result);
}

}  // namespace

// Classifies the lines of the `size` bytes at `text` (UTF-8): a line ends at LF, a CR before it
// is dropped, and a last line without LF counts. For line i it writes where it starts, plus
// `base`, into starts[i], and the number of its answer (see KobalAnswerText) into answers[i];
// a line that is not one number gets the answer for no number, as in kobal-lookup. Returns the
// number of lines; both arrays must hold that many (at most `size`, and one more than the LFs).
extern "C" __attribute__((visibility("default"))) uint32_t KobalClassifyLines(
    const char* text, uint32_t size, uint32_t base, uint32_t* starts, uint16_t* answers) {
  static std::string digits;  // its capacity is reused from line to line
  static const uint16_t noNumber = AnswerFor(nullptr);
  uint32_t lines = 0;
  for (uint32_t start = 0; start < size; lines++) {
    const void* newline = std::memchr(text + start, '\n', size - start);
    const uint32_t end =
        newline == nullptr ? size : static_cast<uint32_t>(static_cast<const char*>(newline) - text);
    uint32_t length = end - start;
    if (length > 0 && text[end - 1] == '\r') length--;
    starts[lines] = base + start;
    answers[lines] = kobal::NormaliseNumber(std::string_view(text + start, length), digits)
                         ? AnswerFor(digits.c_str())
                         : noNumber;
    start = end + 1;
  }
  return lines;
}

// The Shift-JIS bytes of answer `number` as DetectCarrier wrote them, NUL-terminated; null for a
// number not given out yet.
extern "C" __attribute__((visibility("default"))) const char* KobalAnswerText(uint32_t number) {
  return Answers().Text(number);
}
