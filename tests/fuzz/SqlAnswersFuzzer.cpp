// libFuzzer target on the database functions' C entries: any bytes get an answer, never an
// error; every field but the input is UTF-8 without a NUL; the same text answers the same again
// (as IMMUTABLE promises), an answer's number always stands for the same text, and parse's
// fields agree with lookup's and format's answers.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>

#include "encodings/Utf8.h"
#include "postgresql/src/SqlAnswers.h"

namespace {

void Require(bool holds, const char* what) {
  if (!holds) {
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
  }
}

std::string_view Bytes(const KobalSqlText& answer) { return {answer.bytes, answer.length}; }

bool CleanUtf8(std::string_view bytes) {
  std::size_t cut = 0;
  return kobal::IsValidUtf8(bytes, true, cut) && bytes.find('\0') == std::string_view::npos;
}

struct Kept {
  std::uint32_t number;
  std::string bytes;
};

// The lookup's answer, checked, copied (the next call may reuse its storage).
Kept CheckLookup(const char* text, std::size_t size) {
  static std::map<std::uint32_t, std::string> texts;  // every answer seen, by number
  KobalSqlText answer;
  Require(kobal_sql_lookup(text, size, &answer) == 0, "no answer");
  const std::string_view bytes = Bytes(answer);
  // Empty is an answer: the library's for a few mobile blocks (09074512345).
  Require(CleanUtf8(bytes), "an answer that is not UTF-8 or holds a NUL");
  const auto [seen, added] = texts.emplace(answer.number, bytes);
  Require(added || seen->second == bytes, "one number for two answers");
  KobalSqlText again;
  Require(kobal_sql_lookup(text, size, &again) == 0 && again.number == answer.number &&
              Bytes(again) == bytes,
          "the same text answered otherwise");
  return {answer.number, std::string(bytes)};
}

void CheckParse(const char* text, std::size_t size, const Kept& lookup) {
  KobalSqlText formatted;
  Require(kobal_sql_format(text, size, &formatted) == 0, "no format");
  const std::string format(Bytes(formatted));
  KobalSqlFields parsed;
  Require(kobal_sql_parse(text, size, &parsed) == 0, "no parse");
  const KobalSqlText* fields = parsed.fields;
  Require(Bytes(fields[0]) == std::string_view(text, size), "an input other than the text");
  for (int i = 1; i < KOBAL_SQL_FIELD_COUNT; ++i) {
    Require(CleanUtf8(Bytes(fields[i])), "a field that is not UTF-8 or holds a NUL");
  }
  Require(Bytes(fields[2]) == format, "formatted otherwise than format");
  Require(fields[3].length != 0, "no status");
  Require(fields[10].number == lookup.number && Bytes(fields[10]) == lookup.bytes,
          "a result otherwise than lookup's");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const char* text = reinterpret_cast<const char*>(data);
  CheckParse(text, size, CheckLookup(text, size));
  return 0;
}
