// One written number to one answer, as kobal-lookup answers a line: normalise, then ask the
// library. Plain C++, no Python: run without the interpreter's lock.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "kobal/KobalFnc.h"

namespace kobal::python {

// Room for an answer in whole words, zero after the answer's NUL: the block as it stands is
// the answer, as a key that hashes and compares a word at a time.
inline constexpr std::size_t kAnswerRoom = 48;
static_assert(kAnswerRoom >= KOBAL_RESULT_SIZE && kAnswerRoom % 8 == 0);
using Answer = std::array<char, kAnswerRoom>;

// The library's answer for `number` (NUL-terminated), the rest of the block zero.
void Detect(const char* number, Answer& answer);

// The library's answer for the number written in `written` (UTF-8, followed by a NUL byte), or
// its answer for the empty number (不明) when the text is not one number. `number` is scratch
// room, reused from call to call.
void AnswerWritten(std::string_view written, std::string& number, Answer& answer);

// The answer for a text that is not one number.
inline void AnswerNoNumber(Answer& answer) { Detect("", answer); }

}  // namespace kobal::python
