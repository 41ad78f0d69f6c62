// A batch of lines classified in one call of the WebAssembly module: the page hands in a block
// of whole lines and gets back where each starts and the number of its answer, so that the loop
// over lines, the search for line ends and the answers met before all stay inside the module.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "NumberNormaliser.h"
#include "kobal/KobalFnc.h"

namespace {

// Every answer met so far, once, numbered in the order met: a batch of a million lines refers to
// a few hundred texts. An answer is looked up as DetectCarrier left it in a zero-filled buffer,
// compared whole, so that neither its length nor a string is needed per line. The numbers stay
// valid as long as the module lives.
class AnswerBook {
 public:
  static constexpr std::size_t kRoom = 48;  // KOBAL_RESULT_SIZE, rounded up to whole words
  static_assert(kRoom >= KOBAL_RESULT_SIZE);
  using Buffer = std::array<char, kRoom>;

  AnswerBook() : slots_(kSlots, kFree) {}

  uint16_t NumberOf(const Buffer& answer) {
    const uint32_t hash = Hash(answer);
    for (uint32_t index = hash & (kSlots - 1);; index = (index + 1) & (kSlots - 1)) {
      const uint16_t number = slots_[index];
      if (number == kFree) {
        slots_[index] = static_cast<uint16_t>(answers_.size());
        answers_.push_back(answer);
        return slots_[index];
      }
      if (Same(answers_[number], answer)) return number;
    }
  }

  const char* Text(uint32_t number) const {
    return number < answers_.size() ? answers_[number].data() : nullptr;
  }

 private:
  // Room for every text the library has (a few thousand) at a low load.
  static constexpr uint32_t kSlots = 1 << 15;
  static constexpr uint16_t kFree = 0xffff;

  static uint64_t Word(const Buffer& answer, std::size_t at) {
    uint64_t word;
    std::memcpy(&word, answer.data() + at, sizeof word);
    return word;
  }

  static uint32_t Hash(const Buffer& answer) {
    uint64_t hash = 0;
    for (std::size_t at = 0; at < kRoom; at += sizeof(uint64_t))
      hash = (hash ^ Word(answer, at)) * 0x9e3779b97f4a7c15u;
    return static_cast<uint32_t>(hash >> 32);
  }

  // Word by word: the C library's memcmp goes byte by byte here.
  static bool Same(const Buffer& a, const Buffer& b) {
    uint64_t differ = 0;
    for (std::size_t at = 0; at < kRoom; at += sizeof(uint64_t))
      differ |= Word(a, at) ^ Word(b, at);
    return differ == 0;
  }

  std::vector<Buffer> answers_;
  std::vector<uint16_t> slots_;
};

AnswerBook& Answers() {
  static AnswerBook book;  // the module runs on one thread
  return book;
}

// The answer's number for a number's digits ("" for no number).
uint16_t AnswerFor(const char* digits) {
  AnswerBook::Buffer result{};
  DetectCarrier(digits, result.data());
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
  static const uint16_t noNumber = AnswerFor("");
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

// The Shift-JIS bytes of answer `number` as DetectCarrier wrote them, NUL-terminated and valid
// until the next KobalClassifyLines; null for a number not given out yet.
extern "C" __attribute__((visibility("default"))) const char* KobalAnswerText(uint32_t number) {
  return Answers().Text(number);
}
