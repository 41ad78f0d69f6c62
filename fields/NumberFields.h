// What a number and the library's answer to it are, as data: the fields of an answer beyond
// input, status and result, which the front ends own. They describe only lines that are a
// number; for any other line every field but input, status and result is empty.
//
// formatted: the number with hyphens where the numbering splits it, for these shapes only:
//   ten digits whose first six are a key of the ministry's list: area code, local code, last four
//     by the list's split (03-3520-1234, 0123-20-1234), whatever the answer;
//   nine-digit Hakone numbers answered as a fixed line: 0460-2-1234;
//   eleven digits 090 and 070: 090-1234-5678, whatever the answer;
//   0120 (ten digits) 0120-123-456, 0800 (eleven) 0800-123-4567, 0990 (ten) 0990-123-456;
//   three digits with a service answer, as they are.
//   Empty for everything else: 050, 080, 0570, 060, other lengths, and ten digits whose key the
//   list does not hold.
// ma: the list's unit charge area of a ten-digit number's key, whatever the answer; that of area
//   code 0460 for the nine-digit Hakone numbers; empty otherwise.
#pragma once

#include <cstdint>
#include <string_view>

#include "fields/NumberSplit.h"

namespace kobal {

// "fixed", "mobile", "phs", "toll-free", "information", "service", "unknown".
std::string_view KindName(NumberKind kind);

struct NumberFields {
  NumberKind kind = NumberKind::kUnknown;
  // UTF-8, views into constant data; empty when none. Prefecture and place for fixed lines; the
  // carrier for fixed lines ("NTT東日本", "NTT西日本": the company that held the key) and for
  // mobile and PHS (the brand: "NTTドコモ", "J-PHONE" ...; empty for "データなし" and the empty
  // answer), region for mobile and PHS ("関西", empty where the carrier's name holds none).
  std::string_view prefecture, place, ma, carrier, region;
  char formattedBytes[16];  // the first formattedSize bytes hold the text
  uint8_t formattedSize = 0;

  std::string_view Formatted() const { return {formattedBytes, formattedSize}; }
};

// `number`: the text that went to the library (its digits); `answer`: the library's answer to it,
// the Shift-JIS bytes DetectCarrier wrote, without the NUL. Allocates nothing; kind is unknown
// (and prefecture, place, carrier, region empty) for every 不明, and for an answer the library does
// not give to a number of that shape.
NumberFields DescribeNumber(std::string_view number, std::string_view answer);

// The same in two steps: what an answer says, found by a hash of its bytes (null for a text the
// library never gives), then the number described with it. A front end that numbers its answers
// reads each answer once and keeps this beside it.
const fields::AnswerFields* ReadAnswer(std::string_view answer);
NumberFields DescribeNumber(std::string_view number, const fields::AnswerFields* answer);

}  // namespace kobal
