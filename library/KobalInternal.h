// The library's internal operations, each writing one answer into the caller's buffer.
#pragma once

#include <cstdint>

#include "AnswerCopy.h"
#include "tables/Tables.h"

namespace kobal {

// Three-digit service numbers; `value` is the atoi value of the three characters.
void DetectServiceNumber(int32_t value, char* result);

// Eleven-character numbers beginning 070 or 090: the carrier holding the number block.
int32_t DetectMobileCarrier(const char* text, char* result);

// Ten-character numbers: the exchange area, in the table chosen by the second digit. Any other
// length answers unknown.
int32_t DetectFixedLine(const char* text, char* result);

// Answers from the first of `rows` whose prefix list holds the six-character key that begins
// `text`, through the generated index: `rows` are a built-in table's (or its first `rowCount`),
// the one of the key's group digit, as DetectFixedLine passes them. No other rows or keys are
// known: they answer unknown. Reads `text` no further than its NUL.
int32_t MatchExchange(const char* text, const ExchangeRow* rows, int32_t rowCount, char* result);

}  // namespace kobal
