#include "fields/NumberFields.h"

#include <array>
#include <cstdint>

#include "fields/AnswerTable.h"

namespace kobal {
namespace {

using fields::Digits;
using fields::ReadDigits;
using fields::WriteSplit;

// The fields of a number read into `digits`, with what its answer says.
NumberFields Describe(const Digits& digits, const fields::AnswerFields* said) {
  NumberFields out;
  const NumberSplit split = fields::Split(digits, said);
  out.kind = split.kind;
  if (split.formatted) {
    char* const end = WriteSplit(digits, split.first, split.second, out.formattedBytes);
    out.formattedSize = static_cast<uint8_t>(end - out.formattedBytes);
  }
  out.ma = ChargeAreaName(split.chargeArea);
  switch (out.kind) {
    case NumberKind::kFixed:
      out.prefecture = said->prefecture;
      out.place = said->place;
      out.carrier = HolderName(split.holder);
      break;
    case NumberKind::kMobile:
    case NumberKind::kPhs:
      out.carrier = said->brand;
      out.region = said->region;
      break;
    default:
      break;
  }
  return out;
}

}  // namespace

std::string_view KindName(NumberKind kind) {
  constexpr std::array<std::string_view, 7> kNames = {
      "fixed", "mobile", "phs", "toll-free", "information", "service", "unknown"};
  const auto index = static_cast<std::size_t>(kind);
  return index < kNames.size() ? kNames[index] : std::string_view{};
}

const fields::AnswerFields* ReadAnswer(std::string_view answer) {
  return fields::FindAnswer(answer);
}

NumberFields DescribeNumber(std::string_view number, std::string_view answer) {
  Digits digits;
  if (!ReadDigits(number, digits)) return {};  // no shape of the numbering: nothing to say
  return Describe(digits, fields::FindAnswer(answer));
}

NumberFields DescribeNumber(std::string_view number, const fields::AnswerFields* answer) {
  Digits digits;
  if (!ReadDigits(number, digits)) return {};
  return Describe(digits, answer);
}

}  // namespace kobal
