#include "sqlite/ParseFunction.h"

#include <cstddef>

#include "fields/Field.h"
#include "lookup/FieldEscape.h"

namespace kobal::sqlite {
namespace {

// SQLite's JSON functions read a text of this subtype as JSON rather than as a string, so that
// json_object('answer', kobal_parse(tel)) nests the object.
constexpr unsigned kJsonSubtype = 'J';

// Long values are escaped a piece at a time, so that the buffer grows with what is written
// rather than with the worst escape of the whole; a buffer grown past the next size is not kept
// for the rows after it.
constexpr std::size_t kPiece = 4096;
constexpr std::size_t kKeptCapacity = 64 * 1024;

// The first `size` bytes of UTF-8 `text` or a little fewer: none of a character is left behind.
std::size_t WholeCharacters(std::string_view text, std::size_t size) {
  if (size >= text.size()) return text.size();
  for (int back = 0; back < 3 && (static_cast<unsigned char>(text[size]) & 0xC0) == 0x80; ++back) {
    --size;
  }
  return size;
}

// Appends `value` as a JSON string, or null when it is empty and `nullWhenEmpty`; false once
// `json` is longer than `limit`.
bool AppendJsonValue(std::string_view value, bool nullWhenEmpty, std::size_t limit,
                     std::string& json) {
  if (value.empty() && nullWhenEmpty) {
    json += "null";
    return json.size() <= limit;
  }
  json += '"';
  while (!value.empty()) {
    const std::size_t size = WholeCharacters(value, kPiece);
    const std::size_t start = json.size();
    json.resize(start + lookup::MaxEscapedSize(size));
    const char* end = lookup::WriteJsonText(value.substr(0, size), json.data() + start);
    json.resize(static_cast<std::size_t>(end - json.data()));
    if (json.size() > limit) return false;
    value.remove_prefix(size);
  }
  json += '"';
  return json.size() <= limit;
}

}  // namespace

void ParseFunction::Call(sqlite3_context* context, sqlite3_value* argument) {
  const std::optional<std::string_view> text = line_.Read(argument);
  if (!text) return sqlite3_result_null(context);
  answerer_.Answer(*text);
  // Checked as the text grows: an input near SQLite's limit must not first become six times it.
  const auto limit = static_cast<std::size_t>(
      sqlite3_limit(sqlite3_context_db_handle(context), SQLITE_LIMIT_LENGTH, -1));
  json_.clear();
  bool fits = true;
  for (int i = 0; i < kFieldCount && fits; ++i) {
    const auto field = static_cast<Field>(i);
    json_ += i == 0 ? "{\"" : ",\"";
    json_ += FieldName(field);
    json_ += "\":";
    // The input is what was given, even empty: as kobal-lookup writes it.
    fits = AppendJsonValue(answerer_.Text(field, *text), field != Field::kInput, limit, json_);
  }
  json_ += '}';
  if (fits && json_.size() <= limit) {
    sqlite3_result_text(context, json_.data(), static_cast<int>(json_.size()), SQLITE_TRANSIENT);
    sqlite3_result_subtype(context, kJsonSubtype);
  } else {
    sqlite3_result_error_toobig(context);
  }
  if (json_.capacity() > kKeptCapacity) json_ = std::string();
}

}  // namespace kobal::sqlite
