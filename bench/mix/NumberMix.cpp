// Builds benchmark numbers from the generated tables, so every class really is what it claims.
#include "NumberMix.h"

#include <array>
#include <string>

#include "KobalInternal.h"

namespace kobal::bench {
namespace {

// Every six-digit key that some exchange row holds: the first six digits of each list entry.
const std::vector<std::string>& ExchangeKeys() {
  static const std::vector<std::string> keys = [] {
    std::vector<std::string> all;
    for (const ExchangeTable& table : tables::kExchangeTables) {
      for (int32_t row = 0; row < table.rowCount; ++row) {
        const std::string_view list = table.rows[row].prefixList;
        std::size_t start = 0;
        while (start < list.size()) {
          std::size_t end = list.find(';', start);
          if (end == std::string_view::npos) end = list.size();
          if (end - start >= 6) all.emplace_back(list.substr(start, 6));
          start = end + 1;
        }
      }
    }
    return all;
  }();
  return keys;
}

const std::vector<int32_t>& ServiceValues() {
  static const std::vector<int32_t> values = [] {
    std::vector<int32_t> all;
    for (int32_t slot = 0; slot < tables::kServiceSlots; ++slot) {
      if (tables::kServiceAnswers[slot].text != tables::kUnknown) {
        all.push_back(tables::kServiceFirst + slot);
      }
    }
    return all;
  }();
  return values;
}

// The four-digit groups of mobile numbers with a block table, in the order of their tables.
const std::vector<std::string>& MobileGroups() {
  static const std::vector<std::string> groups = [] {
    std::vector<std::string> all(tables::kMobileGroupCount);
    for (const int lead : {0, 1}) {
      for (int digit = 0; digit < 10; ++digit) {
        const int8_t slot = tables::kMobileGroupSlots[lead][digit];
        if (slot >= 0)
          all[slot] = std::string(lead == 0 ? "070" : "090") + static_cast<char>('0' + digit);
      }
    }
    return all;
  }();
  return groups;
}

template <typename Container>
const auto& Pick(const Container& items, Random& random) {
  return items[random.Below(static_cast<uint32_t>(items.size()))];
}

std::string FixedLineMiss(Random& random) {
  for (;;) {
    const char group = static_cast<char>('1' + random.Below(9));
    const std::string key = random.Digits(std::string{'0', group}, 4);
    if (key.starts_with("0120") || key.starts_with("0990")) continue;  // answered before a lookup
    // Only the first six digits choose the row, so four zeros stand for the rest.
    const ExchangeTable& table = tables::kExchangeTables[group - '0'];
    char answer[KOBAL_RESULT_SIZE];
    MatchExchange((key + "0000").c_str(), table.rows, table.rowCount, answer);
    if (std::string_view(answer) == tables::kUnknown) return random.Digits(key, 4);
  }
}

std::string Rejected(Random& random) {
  switch (random.Below(4)) {
    case 0:  // a local number without its area code
      return random.Digits(std::string(1, static_cast<char>('2' + random.Below(8))), 6);
    case 1:
      return random.Digits(std::string(1, static_cast<char>('2' + random.Below(8))), 7);
    case 2:  // ten digits without the leading 0
      return random.Digits(std::string(1, static_cast<char>('1' + random.Below(9))), 9);
    default:  // one digit too many
      return random.Digits("0", 11);
  }
}

}  // namespace

std::string_view ClassName(NumberClass numberClass) {
  switch (numberClass) {
    case NumberClass::kService:
      return "service";
    case NumberClass::kNineDigit:
      return "nine_digit";
    case NumberClass::kTollFree:
      return "toll_free";
    case NumberClass::kMobile:
      return "mobile";
    case NumberClass::kFixedLineHit:
      return "fixed_line_hit";
    case NumberClass::kFixedLineMiss:
      return "fixed_line_miss";
    case NumberClass::kRejected:
      return "rejected";
  }
  return "?";
}

uint64_t Random::Next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

uint32_t Random::Below(uint32_t bound) {
  return static_cast<uint32_t>(((Next() >> 32) * bound) >> 32);
}

std::string Random::Digits(std::string_view lead, int count) {
  std::string digits(lead);
  for (int i = 0; i < count; ++i) digits += static_cast<char>('0' + Below(10));
  return digits;
}

std::string MakeNumber(NumberClass numberClass, Random& random) {
  switch (numberClass) {
    case NumberClass::kService:
      return std::to_string(Pick(ServiceValues(), random));
    case NumberClass::kNineDigit:
      return random.Digits(
          tables::kNineDigit[random.Below(static_cast<uint32_t>(tables::kNineDigitCount))].prefix,
          4);
    case NumberClass::kTollFree:
      return random.Below(2) == 0 ? random.Digits("0120", 6) : random.Digits("0800", 7);
    case NumberClass::kMobile:
      return random.Digits(MobileGroups()[random.Below(tables::kMobileGroupCount)], 7);
    case NumberClass::kFixedLineHit:
      return random.Digits(Pick(ExchangeKeys(), random), 4);
    case NumberClass::kFixedLineMiss:
      return FixedLineMiss(random);
    case NumberClass::kRejected:
      return Rejected(random);
  }
  return {};
}

std::vector<std::string> MakeMix(std::size_t count, uint64_t seed,
                                 const int (&shares)[std::size(kAllClasses)]) {
  Random random(seed);
  std::vector<std::string> numbers;
  numbers.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    int roll = static_cast<int>(random.Below(1000));
    std::size_t pick = 0;
    while (roll >= shares[pick]) roll -= shares[pick++];
    numbers.push_back(MakeNumber(kAllClasses[pick], random));
  }
  return numbers;
}

std::string WithHyphens(const std::string& number) {
  if (number.size() == 10) {
    return number.substr(0, 3) + "-" + number.substr(3, 3) + "-" + number.substr(6);
  }
  if (number.size() == 11) {
    return number.substr(0, 3) + "-" + number.substr(3, 4) + "-" + number.substr(7);
  }
  return number;
}

}  // namespace kobal::bench
