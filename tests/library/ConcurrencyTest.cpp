// DetectCarrier on several threads at once, each with its own buffer, answers as on one thread.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "kobal/KobalFnc.h"
#include "support/CheckedDetect.h"
#include "support/ShiftJis.h"

namespace kobal::test {
namespace {

std::vector<std::string> MixedInputs() {
  std::vector<std::string> inputs = {"",           "046021234",   "0990123456",
                                     "0120123456", "08001234567", "0112011234",
                                     "0153751234", "0335201234",  "0432211234"};
  char text[16];
  for (int value = 95; value <= 185; ++value) {
    std::snprintf(text, sizeof text, "%d", value);
    inputs.emplace_back(text);
  }
  for (const char* group : {"0705", "0706", "0901", "0907", "0909", "0905"}) {
    for (int block = 0; block < 100; ++block) {
      std::snprintf(text, sizeof text, "%s%02d12345", group, block);
      inputs.emplace_back(text);
    }
  }
  return inputs;
}

TEST(Concurrency, ThreadsWithSeparateBuffersAgreeWithOneThread) {
  const std::vector<std::string> inputs = MixedInputs();
  std::vector<std::string> expected;
  for (const std::string& input : inputs) expected.push_back(Detect(input));

  std::atomic<int> mismatches{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      char result[KOBAL_RESULT_SIZE];
      for (int round = 0; round < 50; ++round) {
        // Each thread walks the inputs from a different place, so neighbours differ.
        for (std::size_t i = 0; i < inputs.size(); ++i) {
          const std::size_t at = (i * 7 + static_cast<std::size_t>(t) * 131) % inputs.size();
          if (DetectCarrier(inputs[at].c_str(), result) != 1 || expected[at] != result) {
            ++mismatches;
          }
        }
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(mismatches.load(), 0);
}

}  // namespace
}  // namespace kobal::test
