// libFuzzer target on the database functions' C entries: any bytes get an answer, never an
// error; the answer is non-empty UTF-8 without a NUL; the same text answers the same again (as
// IMMUTABLE promises), and an answer's number always stands for the same text.
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

void CheckLookup(const char* text, std::size_t size) {
  static std::map<std::uint32_t, std::string> texts;  // every answer seen, by number
  KobalSqlText answer;
  Require(kobal_sql_lookup(text, size, &answer) == 0, "no answer");
  const std::string_view bytes = Bytes(answer);
  std::size_t cut = 0;
  Require(!bytes.empty() && kobal::IsValidUtf8(bytes, true, cut), "an answer that is not UTF-8");
  Require(bytes.find('\0') == std::string_view::npos, "an answer holding a NUL");
  const auto [seen, added] = texts.emplace(answer.number, bytes);
  Require(added || seen->second == bytes, "one number for two answers");
  KobalSqlText again;
  Require(kobal_sql_lookup(text, size, &again) == 0 && again.number == answer.number &&
              Bytes(again) == bytes,
          "the same text answered otherwise");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CheckLookup(reinterpret_cast<const char*>(data), size);
  return 0;
}
