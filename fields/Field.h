// The names of an answer's fields, in one place: what every front end offers to choose from.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kobal {

enum class Field : uint8_t {
  kInput,
  kNumber,
  kFormatted,
  kStatus,
  kKind,
  kPrefecture,
  kPlace,
  kMa,
  kCarrier,
  kRegion,
  kResult
};
inline constexpr int kFieldCount = 11;

// "input", "number", "formatted", "status", "kind", "prefecture", "place", "ma", "carrier",
// "region", "result".
std::string_view FieldName(Field field);

// The fields of "a,b,c" in the order given (blanks around a name are dropped), or of "all":
// every field in the order above. An unknown or empty name, or one given twice: nullopt, and
// *error (when not null) names the bad one and the valid names.
std::optional<std::vector<Field>> ParseFieldList(std::string_view list, std::string* error);

}  // namespace kobal
