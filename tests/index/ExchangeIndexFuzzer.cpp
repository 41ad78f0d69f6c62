// libFuzzer target: MatchExchange answers any text over any leading rows as the row scan does.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "KobalInternal.h"
#include "kobal/KobalFnc.h"

namespace {

void Require(bool holds, const char* what) {
  if (!holds) {
    std::fprintf(stderr, "the exchange index broke: %s\n", what);
    std::abort();
  }
}

// Copies of the built-in rows, which MatchExchange can only scan.
const std::vector<kobal::ExchangeRow>& RowCopy(int group) {
  static const std::vector<std::vector<kobal::ExchangeRow>> copies = [] {
    std::vector<std::vector<kobal::ExchangeRow>> all;
    for (const kobal::ExchangeTable& table : kobal::tables::kExchangeTables) {
      all.emplace_back(table.rows, table.rows + table.rowCount);
    }
    return all;
  }();
  return copies[static_cast<std::size_t>(group)];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // First byte: the table; second: how many of its leading rows, as a share of 255.
  const int group = data[0] % kobal::tables::kExchangeTableCount;
  const kobal::ExchangeTable& table = kobal::tables::kExchangeTables[group];
  const auto rowCount = static_cast<int32_t>(table.rowCount * data[1] / 255);
  // The rest up to its first NUL, in a heap block of exactly that size, so that AddressSanitizer
  // reports any read past the NUL.
  const char* rest = reinterpret_cast<const char*>(data + 2);
  const std::size_t length = strnlen(rest, size - 2);
  const std::unique_ptr<char[]> text(new char[length + 1]);
  std::memcpy(text.get(), rest, length);
  text[length] = '\0';

  char indexed[KOBAL_RESULT_SIZE];
  char scanned[KOBAL_RESULT_SIZE];
  kobal::MatchExchange(text.get(), table.rows, rowCount, indexed);
  kobal::MatchExchange(text.get(), RowCopy(group).data(), rowCount, scanned);
  Require(std::strcmp(indexed, scanned) == 0, "the index and the scan answer differently");
  return 0;
}
