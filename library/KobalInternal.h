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

// Answers from the first of `rows` whose prefix list holds the key, the first six characters of
// `text` (which has at least six), through the generated index: `rows` are a built-in table's
// (or its first `rowCount`), the one of the key's group digit, as DetectFixedLine passes them.
// Keys that do not begin "0" and a digit, and any other rows, are known to no index: unknown.
int32_t MatchExchange(const char* text, const ExchangeRow* rows, int32_t rowCount, char* result);

}  // namespace kobal
