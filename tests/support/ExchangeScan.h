// Test helper: the exchange search done the plain way, row by row, to check the library's index.
#pragma once

#include <cstdint>
#include <string>

#include "tables/Tables.h"

namespace kobal::test {

// The number of the first of `rowCount` rows whose prefix list holds `key` as a substring, or
// tables::kNoExchangeRow.
int32_t ScanExchange(const char* key, const ExchangeRow* rows, int32_t rowCount);

// The answer that scan gives the first six characters of `text` (fewer if it is shorter) in the
// first `rowCount` rows of the built-in table of `group`: the row's answer, or unknown.
std::string ScannedAnswer(const char* text, int group, int32_t rowCount);

// "NTT固定（" + `placeName` + "）" in Shift-JIS, from the fixed texts; `placeName` Shift-JIS too.
std::string FixedLineAnswer(const std::string& placeName);

// The place name of an exchange answer, the inverse of FixedLineAnswer.
std::string PlaceNameOf(const AnswerText& answer);

}  // namespace kobal::test
