#include "fields/Field.h"

#include <array>

namespace kobal {
namespace {

constexpr std::array<std::string_view, kFieldCount> kNames = {
    "input", "number", "formatted", "status", "kind",  "prefecture",
    "place", "ma",     "carrier",   "region", "result"};
constexpr std::string_view kAll = "all";

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::optional<Field> FieldNamed(std::string_view name) {
  for (int i = 0; i < kFieldCount; ++i) {
    if (kNames[i] == name) return static_cast<Field>(i);
  }
  return std::nullopt;
}

std::string ValidNames() {
  std::string names;
  for (std::string_view name : kNames) {
    names.append(name);
    names.append(", ");
  }
  names.append("or all");
  return names;
}

std::optional<std::vector<Field>> Fail(std::string* error, std::string message) {
  if (error != nullptr) *error = std::move(message) + "; the fields are " + ValidNames();
  return std::nullopt;
}

}  // namespace

std::string_view FieldName(Field field) {
  const auto index = static_cast<std::size_t>(field);
  return index < kNames.size() ? kNames[index] : std::string_view{};
}

std::optional<std::vector<Field>> ParseFieldList(std::string_view list, std::string* error) {
  if (TrimBlanks(list) == kAll) {
    std::vector<Field> every;
    for (int i = 0; i < kFieldCount; ++i) every.push_back(static_cast<Field>(i));
    return every;
  }
  std::vector<Field> fields;
  bool seen[kFieldCount] = {};
  for (;;) {
    const std::size_t comma = list.find(',');
    const std::string_view name = TrimBlanks(list.substr(0, comma));
    if (name.empty()) return Fail(error, "a field name is empty");
    const std::optional<Field> field = FieldNamed(name);
    if (!field) return Fail(error, "unknown field \"" + std::string(name) + "\"");
    if (seen[static_cast<int>(*field)]) {
      return Fail(error, "field \"" + std::string(name) + "\" is given twice");
    }
    seen[static_cast<int>(*field)] = true;
    fields.push_back(*field);
    if (comma == std::string_view::npos) return fields;
    list.remove_prefix(comma + 1);
  }
}

}  // namespace kobal
