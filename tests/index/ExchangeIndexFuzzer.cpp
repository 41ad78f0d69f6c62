// libFuzzer target: MatchExchange answers any key over any leading rows of its group's table as
// the tests' row scan does, and reads nothing after the text's NUL.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "KobalInternal.h"
#include "kobal/KobalFnc.h"
#include "support/ExchangeScan.h"

namespace {

void Require(bool holds, const char* what) {
  if (!holds) {
    std::fprintf(stderr, "the exchange search broke: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // First byte: the group digit; second: how many of its table's leading rows, as a share of
  // 255; the rest: the characters after "0" and the group digit, up to their first NUL.
  const int group = data[0] % kobal::tables::kExchangeTableCount;
  const kobal::ExchangeTable& table = kobal::tables::kExchangeTables[group];
  const auto rowCount = static_cast<int32_t>(table.rowCount * data[1] / 255);
  const char* rest = reinterpret_cast<const char*>(data + 2);
  const std::string text = "0" + std::to_string(group) + std::string(rest, strnlen(rest, size - 2));

  // In a heap block of exactly its size, so that AddressSanitizer reports any read past the NUL.
  const std::unique_ptr<char[]> copy(new char[text.size() + 1]);
  std::memcpy(copy.get(), text.c_str(), text.size() + 1);

  char answer[KOBAL_RESULT_SIZE];
  if (text.size() >= 6) {  // MatchExchange reads a whole key
    kobal::MatchExchange(copy.get(), table.rows, rowCount, answer);
    Require(kobal::test::ScannedAnswer(text.c_str(), group, rowCount) == answer,
            "the index and the scan answer differently");
  }
  kobal::DetectFixedLine(copy.get(), answer);
  const std::string expected = text.size() == 10
                                   ? kobal::test::ScannedAnswer(text.c_str(), group, table.rowCount)
                                   : std::string(kobal::tables::kUnknown);
  Require(expected == answer, "DetectFixedLine and the scan answer differently");
  return 0;
}
