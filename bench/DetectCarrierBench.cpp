// DetectCarrier by class of number, and over the fixed mix of 100,000 numbers.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "BenchCounters.h"
#include "MixData.h"
#include "NumberMix.h"
#include "kobal/KobalFnc.h"
#include "tables/Tables.h"

namespace kobal::bench {
namespace {

constexpr std::size_t kPoolSize = 1024;  // a power of two: the next number is one mask away

// The answer each class must get, so a benchmark never times the wrong path.
bool AnswerFits(NumberClass numberClass, const char* answer) {
  const bool unknown = std::strcmp(answer, tables::kUnknown) == 0;
  const bool fixedLine =
      std::strncmp(answer, tables::kFixedLineOpen, std::strlen(tables::kFixedLineOpen)) == 0;
  switch (numberClass) {
    case NumberClass::kService:
      return !unknown;
    case NumberClass::kNineDigit:
      return fixedLine;
    case NumberClass::kTollFree:
      return std::strcmp(answer, tables::kFreeDial) == 0;
    case NumberClass::kMobile:
      return !fixedLine;
    case NumberClass::kFixedLineHit:
      return fixedLine;
    case NumberClass::kFixedLineMiss:
      return unknown;
    case NumberClass::kRejected:
      return unknown;
  }
  return false;
}

void ByClass(benchmark::State& state, NumberClass numberClass) {
  Random random(kMixSeed + static_cast<uint64_t>(numberClass));
  std::vector<std::string> pool;
  char answer[KOBAL_RESULT_SIZE];
  for (std::size_t i = 0; i < kPoolSize; ++i) {
    pool.push_back(MakeNumber(numberClass, random));
    DetectCarrier(pool.back().c_str(), answer);
    if (!AnswerFits(numberClass, answer)) {
      state.SkipWithError(("wrong class: " + pool.back()).c_str());
      return;
    }
  }
  std::size_t next = 0;
  for (auto _ : state) {
    DetectCarrier(pool[next].c_str(), answer);
    benchmark::DoNotOptimize(answer);
    next = (next + 1) & (kPoolSize - 1);
  }
  CountNumbers(state, 1);
}

void Mix(benchmark::State& state) {
  const std::vector<const char*>& numbers = MixTexts();
  char answer[KOBAL_RESULT_SIZE];
  for (auto _ : state) {
    for (const char* number : numbers) {
      DetectCarrier(number, answer);
      benchmark::DoNotOptimize(answer);
    }
  }
  CountNumbers(state, numbers.size());
}

const bool kRegistered = [] {
  for (const NumberClass numberClass : kAllClasses) {
    benchmark::RegisterBenchmark(("DetectCarrier/" + std::string(ClassName(numberClass))).c_str(),
                                 ByClass, numberClass);
  }
  benchmark::RegisterBenchmark("DetectCarrier/mix", Mix)->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace
}  // namespace kobal::bench
