// The library's internal operations, each writing one result text into the caller's buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "AnswerCopy.h"
#include "kobal/KobalFnc.h"
#include "tables/Tables.h"

namespace kobal {

// Three-digit service numbers; `value` is the atoi value of the three characters.
void DetectServiceNumber(int32_t value, char* result);

// Eleven-character numbers beginning 070 or 090: the carrier holding the number block.
int32_t DetectMobileCarrier(const char* text, char* result);

// Ten-character numbers beginning 0: the exchange area, chosen by the second digit.
int32_t DetectFixedLine(const char* text, char* result);

// The same for a text its caller knows to be ten characters long, which is not measured again.
int32_t DetectTenCharacterFixedLine(const char* text, char* result);

// Answers from the first row of `rows` whose prefix list holds the six-character key of `text`.
int32_t MatchExchange(const char* text, const ExchangeRow* rows, int32_t rowCount, char* result);

// The number of the first row of `rows` whose prefix list holds `key`, or -1: from the generated
// index when `rows` is a built-in table (or its leading rows) and `key` is "0N" and four digits,
// by ScanExchange otherwise.
int32_t FindExchangeRow(const char* key, const ExchangeRow* rows, int32_t rowCount);

// The same answer by a substring search of every row in order.
int32_t ScanExchange(const char* key, const ExchangeRow* rows, int32_t rowCount);

// Copies `count` bytes to `result` + `offset`. Fortified glibc builds check the copy against the
// caller's buffer of KOBAL_RESULT_SIZE bytes, which the fortified memcpy cannot see by itself: a
// text longer than any answer stops the process rather than writing past the buffer.
inline void CopyIntoResult(char* result, std::size_t offset, const char* bytes, std::size_t count) {
#if defined(__GLIBC__) && defined(_FORTIFY_SOURCE) && _FORTIFY_SOURCE > 0
  __builtin___memcpy_chk(result + offset, bytes, count, KOBAL_RESULT_SIZE - offset);
#else
  std::memcpy(result + offset, bytes, count);
#endif
}

// Writes `text` with its NUL at the start of `result`, and nothing after it: for texts composed
// at run time, whose size is measured and checked.
inline void WriteText(char* result, const char* text) {
  CopyIntoResult(result, 0, text, std::strlen(text) + 1);
}

}  // namespace kobal
