// One written number to one answer, as kobal-lookup answers a line: normalise, then ask the
// library. Plain C++, no Python: run without the interpreter's lock.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "kobal/KobalFnc.h"

namespace kobal::python {

using Answer = std::array<char, KOBAL_RESULT_SIZE>;

// The library's answer for the number written in `written` (UTF-8, followed by a NUL byte), or
// its answer for the empty number (不明) when the text is not one number. `number` is scratch
// room, reused from call to call.
void AnswerWritten(std::string_view written, std::string& number, Answer& answer);

// The answer for a text that is not one number.
void AnswerNoNumber(Answer& answer);

}  // namespace kobal::python
