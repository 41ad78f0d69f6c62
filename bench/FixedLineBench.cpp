// The exchange search alone: MatchExchange through the generated index, on numbers that a row
// holds and on numbers of covered groups that none holds.
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
  const ExchangeTable* table;
};

void Search(benchmark::State& state, NumberClass numberClass) {
  Random random(kMixSeed + static_cast<uint64_t>(numberClass));
  std::vector<Lookup> pool;
  for (std::size_t i = 0; i < kPoolSize; ++i) {
    std::string number = MakeNumber(numberClass, random);
    const int group = number[1] - '0';
    pool.push_back({std::move(number), &tables::kExchangeTables[group]});
  }
  char answer[KOBAL_RESULT_SIZE];
  std::size_t next = 0;
  for (auto _ : state) {
    const Lookup& lookup = pool[next];
    MatchExchange(lookup.number.c_str(), lookup.table->rows, lookup.table->rowCount, answer);
    benchmark::DoNotOptimize(answer);
    next = (next + 1) & (kPoolSize - 1);
  }
  CountNumbers(state, 1);
}

const bool kRegistered = [] {
  benchmark::RegisterBenchmark("FixedLine/index_hit", Search, NumberClass::kFixedLineHit);
  benchmark::RegisterBenchmark("FixedLine/index_miss", Search, NumberClass::kFixedLineMiss);
  return true;
}();

}  // namespace
}  // namespace kobal::bench
