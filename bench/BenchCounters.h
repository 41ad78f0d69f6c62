// The one counter every benchmark reports, so the summary can compare unlike benchmarks.
#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>

namespace kobal::bench {

inline constexpr const char* kPerNumber = "per_number";

// Seconds of CPU time per classified number (shown with an SI prefix: 25n is 25 ns).
inline void CountNumbers(benchmark::State& state, std::size_t numbersPerIteration) {
  state.counters[kPerNumber] = benchmark::Counter(
      static_cast<double>(numbersPerIteration),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

}  // namespace kobal::bench
