// kobal-bench-numbers: writes the benchmark mix (or, with --customer-list, a customer list's),
// one number a line, for timing whole programs.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "NumberMix.h"

int main(int argc, char** argv) {
  std::size_t count = kobal::bench::kMixSize;
  uint64_t seed = kobal::bench::kMixSeed;
  bool hyphens = false;
  bool customerList = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--hyphens") == 0) {
      hyphens = true;
    } else if (std::strcmp(argv[i], "--customer-list") == 0) {
      customerList = true;
    } else if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
      seed = std::strtoull(argv[++i], nullptr, 10);
    } else if (argv[i][0] >= '0' && argv[i][0] <= '9') {
      count = std::strtoull(argv[i], nullptr, 10);
    } else {
      std::fprintf(stderr, "usage: %s [COUNT] [--seed N] [--hyphens] [--customer-list]\n", argv[0]);
      return 2;
    }
  }
  std::string out;
  const auto& shares = customerList ? kobal::bench::kCustomerListShares : kobal::bench::kMixShares;
  for (const std::string& number : kobal::bench::MakeMix(count, seed, shares)) {
    out += hyphens ? kobal::bench::WithHyphens(number) : number;
    out += '\n';
  }
  if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
    std::perror("kobal-bench-numbers: writing the numbers");
    return 1;
  }
  return 0;
}
