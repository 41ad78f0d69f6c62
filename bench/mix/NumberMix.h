// Reproducible telephone numbers of every class DetectCarrier tells apart, and a realistic mix.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace kobal::bench {

enum class NumberClass {
  kService,        // three digits: 110, 117 ...
  kNineDigit,      // nine-digit Hakone numbers
  kTollFree,       // 0120 (ten digits) and 0800 (eleven)
  kMobile,         // eleven-digit 090 and 070 numbers of a known group
  kFixedLineHit,   // ten digits whose first six an exchange row holds
  kFixedLineMiss,  // ten digits 0N... that no exchange row holds
  kRejected,       // wrong length or no leading 0: answered without any lookup
};

inline constexpr NumberClass kAllClasses[] = {
    NumberClass::kService,  NumberClass::kNineDigit,    NumberClass::kTollFree,
    NumberClass::kMobile,   NumberClass::kFixedLineHit, NumberClass::kFixedLineMiss,
    NumberClass::kRejected,
};

// Per mille share of each class in the mix, in the order of kAllClasses: a call log or address
// book of 2000 is mostly fixed lines and mobiles, with some toll-free and local-only numbers.
inline constexpr int kMixShares[] = {30, 10, 70, 300, 450, 80, 60};
static_assert(sizeof kMixShares / sizeof kMixShares[0] ==
              sizeof kAllClasses / sizeof kAllClasses[0]);

// Per mille shares of a customer list as people bring one to clean: mostly fixed lines of many
// areas and mobiles, some toll-free, local-only and Hakone numbers, and a little junk.
inline constexpr int kCustomerListShares[] = {50, 30, 80, 250, 510, 40, 40};
static_assert(sizeof kCustomerListShares / sizeof kCustomerListShares[0] ==
              sizeof kAllClasses / sizeof kAllClasses[0]);

inline constexpr uint64_t kMixSeed = 20000401;
inline constexpr std::size_t kMixSize = 100000;

std::string_view ClassName(NumberClass numberClass);

// SplitMix64: the same sequence on every platform, unlike the standard distributions.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t Next();
  uint32_t Below(uint32_t bound);  // uniform enough in [0, bound) for test data
  std::string Digits(std::string_view lead, int count);  // `lead`, then `count` random digits

 private:
  uint64_t state_;
};

// One number of `numberClass`, drawn from the library's own tables where the class needs them.
std::string MakeNumber(NumberClass numberClass, Random& random);

// `count` numbers of the classes in `shares` (per mille, in the order of kAllClasses)
// proportions, in a seeded random order.
std::vector<std::string> MakeMix(std::size_t count, uint64_t seed,
                                 const int (&shares)[std::size(kAllClasses)] = kMixShares);

// The number as people write it: 10 digits as 3-3-4, 11 as 3-4-4, others unchanged.
std::string WithHyphens(const std::string& number);

}  // namespace kobal::bench
