// What goes to the library for a line, and the answer it gives, in a buffer sized from the
// library's own KOBAL_RESULT_SIZE.
#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "kobal/KobalFnc.h"
#include "normaliser/NumberNormaliser.h"

namespace kobal::lookup {

// Answers are hashed and compared whole, in lanes of this many bytes: no length and no call
// per line. The buffer is the library's result size rounded up to whole lanes.
inline constexpr std::size_t kAnswerLane = 16;
inline constexpr std::size_t kAnswerRoom =
    (KOBAL_RESULT_SIZE + kAnswerLane - 1) / kAnswerLane * kAnswerLane;
static_assert(kAnswerRoom >= KOBAL_RESULT_SIZE && kAnswerRoom % kAnswerLane == 0);

// The answer and zeros after it, up to the end of the buffer.
using AnswerBuffer = std::array<char, kAnswerRoom>;

// Asks the library about `number` (NUL-terminated), zero-filling `answer` first with a few
// stores rather than a call.
inline void AskLibrary(const char* number, AnswerBuffer& answer) {
  std::memset(answer.data(), 0, kAnswerRoom);
  DetectCarrier(number, answer.data());
}

// A line of this many bytes or more is too long to be a number: the line stream reads it in
// pieces and answers it as none, and so does every front end that answers one text.
inline constexpr std::size_t kLongLine = std::size_t{1} << 16;

// What goes to the library for `line` (UTF-8), whose bytes as read are `asRead`: its number
// written into `digits`, or, when `raw`, `asRead` itself (which must be followed by a NUL). None
// when the library is not to be asked: the line is not one number (or is a long line), or a raw
// line holds a NUL up to which the library would read and answer for another number.
std::optional<std::string_view> NumberToAsk(std::string_view line, std::string_view asRead,
                                            bool raw, std::string& digits);

// Whether a text known to be ASCII digits only goes to the library as it stands, the
// normaliser's work skipped: always when `raw`, else unless it leads to a country code (the
// normaliser gives any other such text back unchanged).
inline bool DigitsGoAsTheyStand(std::string_view digits, bool raw) {
  return raw || !HasInternationalPrefix(digits);
}

// Asks the library about `number` as it stands (followed by a NUL), as the bindings'
// detect_carrier and kobal-lookup --raw do: one holding a NUL gets the answer for no number.
void AskAsItStands(std::string_view number, AnswerBuffer& answer);

}  // namespace kobal::lookup
