// DescribeNumber over the fixed mix: on answers asked beforehand, on answers also read
// beforehand (as a front end that numbers its answers can), and after DetectCarrier.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "BenchCounters.h"
#include "MixData.h"
#include "fields/NumberFields.h"
#include "kobal/KobalFnc.h"

namespace kobal::bench {
namespace {

void DescribeAnswered(benchmark::State& state) {
  const std::vector<std::string>& numbers = MixNumbers();
  // The answers side by side, as a front end's buffer holds them, not each on the heap.
  std::string arena;
  std::vector<std::size_t> ends;
  char answer[KOBAL_RESULT_SIZE];
  for (const std::string& number : numbers) {
    DetectCarrier(number.c_str(), answer);
    arena += answer;
    ends.push_back(arena.size());
  }
  std::vector<std::string_view> answers;
  for (std::size_t i = 0, start = 0; i < ends.size(); start = ends[i++]) {
    answers.emplace_back(arena.data() + start, ends[i] - start);
  }
  for (auto _ : state) {
    for (std::size_t i = 0; i < numbers.size(); ++i) {
      NumberFields fields = DescribeNumber(numbers[i], answers[i]);
      benchmark::DoNotOptimize(fields);
    }
  }
  CountNumbers(state, numbers.size());
}

void DescribeRead(benchmark::State& state) {
  const std::vector<std::string>& numbers = MixNumbers();
  std::vector<const fields::AnswerFields*> answers;
  char answer[KOBAL_RESULT_SIZE];
  for (const std::string& number : numbers) {
    DetectCarrier(number.c_str(), answer);
    answers.push_back(ReadAnswer(answer));
  }
  for (auto _ : state) {
    for (std::size_t i = 0; i < numbers.size(); ++i) {
      NumberFields fields = DescribeNumber(numbers[i], answers[i]);
      benchmark::DoNotOptimize(fields);
    }
  }
  CountNumbers(state, numbers.size());
}

void DetectAndDescribe(benchmark::State& state) {
  const std::vector<std::string>& numbers = MixNumbers();
  char answer[KOBAL_RESULT_SIZE];
  for (auto _ : state) {
    for (const std::string& number : numbers) {
      DetectCarrier(number.c_str(), answer);
      NumberFields fields = DescribeNumber(number, std::string_view(answer, std::strlen(answer)));
      benchmark::DoNotOptimize(fields);
    }
  }
  CountNumbers(state, numbers.size());
}

const bool kRegistered = [] {
  benchmark::RegisterBenchmark("DescribeNumber/mix", DescribeAnswered)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("DescribeNumber/mix, answers read once", DescribeRead)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("DetectCarrier+DescribeNumber/mix", DetectAndDescribe)
      ->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace
}  // namespace kobal::bench
