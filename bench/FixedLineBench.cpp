// The exchange search alone: the generated index against the row scan it replaces.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "BenchCounters.h"
#include "KobalInternal.h"
#include "NumberMix.h"
#include "kobal/KobalFnc.h"

namespace kobal::bench {
namespace {

constexpr std::size_t kPoolSize = 1024;

struct Lookup {
  std::string number;
  const ExchangeRow* rows;
  int32_t rowCount;
};

// Copies of every table's rows: MatchExchange knows only the built-in arrays, so it scans these.
const std::vector<ExchangeRow>& RowCopy(int group) {
  static const std::vector<std::vector<ExchangeRow>> copies = [] {
    std::vector<std::vector<ExchangeRow>> all;
    for (const ExchangeTable& table : tables::kExchangeTables) {
      all.emplace_back(table.rows, table.rows + table.rowCount);
    }
    return all;
  }();
  return copies[static_cast<std::size_t>(group)];
}

void Search(benchmark::State& state, NumberClass numberClass, bool scan) {
  Random random(kMixSeed + static_cast<uint64_t>(numberClass));
  std::vector<Lookup> pool;
  for (std::size_t i = 0; i < kPoolSize; ++i) {
    std::string number = MakeNumber(numberClass, random);
    const int group = number[1] - '0';
    const ExchangeTable& table = tables::kExchangeTables[group];
    const ExchangeRow* rows = scan ? RowCopy(group).data() : table.rows;
    pool.push_back({std::move(number), rows, table.rowCount});
  }
  char answer[KOBAL_RESULT_SIZE];
  std::size_t next = 0;
  for (auto _ : state) {
    const Lookup& lookup = pool[next];
    MatchExchange(lookup.number.c_str(), lookup.rows, lookup.rowCount, answer);
    benchmark::DoNotOptimize(answer);
    next = (next + 1) & (kPoolSize - 1);
  }
  CountNumbers(state, 1);
}

const bool kRegistered = [] {
  benchmark::RegisterBenchmark("FixedLine/index_hit", Search, NumberClass::kFixedLineHit, false);
  benchmark::RegisterBenchmark("FixedLine/scan_hit", Search, NumberClass::kFixedLineHit, true);
  benchmark::RegisterBenchmark("FixedLine/index_miss", Search, NumberClass::kFixedLineMiss, false);
  benchmark::RegisterBenchmark("FixedLine/scan_miss", Search, NumberClass::kFixedLineMiss, true);
  return true;
}();

}  // namespace
}  // namespace kobal::bench
