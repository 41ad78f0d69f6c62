// The same mix through libphonenumber: parse as a Japanese number, its type, its place in Japanese.
#include <benchmark/benchmark.h>
#include <phonenumbers/geocoding/phonenumber_offline_geocoder.h>
#include <phonenumbers/phonenumberutil.h>
#include <unicode/locid.h>

#include <string>
#include <vector>

#include "BenchCounters.h"
#include "MixData.h"

namespace kobal::bench {
namespace {

using i18n::phonenumbers::PhoneNumber;
using i18n::phonenumbers::PhoneNumberOfflineGeocoder;
using i18n::phonenumbers::PhoneNumberUtil;

void Classify(const PhoneNumberUtil& util, const PhoneNumberOfflineGeocoder& geocoder,
              const icu::Locale& language, const std::string& number) {
  PhoneNumber parsed;
  if (util.Parse(number, "JP", &parsed) != PhoneNumberUtil::NO_PARSING_ERROR) return;
  benchmark::DoNotOptimize(util.GetNumberType(parsed));
  std::string place = geocoder.GetDescriptionForNumber(parsed, language);
  benchmark::DoNotOptimize(place);
}

void Mix(benchmark::State& state) {
  const std::vector<std::string>& numbers = MixNumbers();
  const PhoneNumberUtil& util = *PhoneNumberUtil::GetInstance();
  const PhoneNumberOfflineGeocoder geocoder;
  const icu::Locale japanese("ja");
  // The geocoder loads its Japanese prefix data on first use: keep that out of the timing.
  for (std::size_t i = 0; i < numbers.size() && i < 2000; ++i) {
    Classify(util, geocoder, japanese, numbers[i]);
  }
  for (auto _ : state) {
    for (const std::string& number : numbers) Classify(util, geocoder, japanese, number);
  }
  CountNumbers(state, numbers.size());
}

const bool kRegistered = [] {
  benchmark::RegisterBenchmark("libphonenumber/mix", Mix)->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace
}  // namespace kobal::bench
