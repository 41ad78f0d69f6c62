// libFuzzer target: DescribeNumber on any number with the library's answer to it, and on any
// number with any answer: no read past either, a formatted number that is the number's digits
// with at most two hyphens between them, and words only for a kind that has them.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "fields/NumberFields.h"
#include "kobal/KobalFnc.h"

namespace {

void Require(bool holds, const char* what) {
  if (!holds) {
    std::fprintf(stderr, "DescribeNumber broke its contract: %s\n", what);
    std::abort();
  }
}

void Check(std::string_view number, std::string_view answer) {
  const kobal::NumberFields fields = kobal::DescribeNumber(number, answer);
  Require(fields.formattedSize <= sizeof fields.formattedBytes, "formatted longer than its room");
  const std::string_view formatted = fields.Formatted();
  if (!formatted.empty()) {
    std::string digits;
    int hyphens = 0;
    for (std::size_t i = 0; i < formatted.size(); ++i) {
      if (formatted[i] != '-') {
        digits += formatted[i];
        continue;
      }
      Require(i != 0 && i + 1 != formatted.size() && formatted[i - 1] != '-', "an empty part");
      ++hyphens;
    }
    Require(digits == number && hyphens <= 2, "formatted is not the number's digits");
  }
  const bool fixed = fields.kind == kobal::NumberKind::kFixed;
  const bool mobile =
      fields.kind == kobal::NumberKind::kMobile || fields.kind == kobal::NumberKind::kPhs;
  Require(fixed || (fields.prefecture.empty() && fields.place.empty()), "a place for no line");
  Require(fixed || mobile || fields.carrier.empty(), "a carrier for no line or mobile");
  Require(mobile || fields.region.empty(), "a region for no mobile");
  Require(!fixed || !fields.place.empty(), "a fixed line without its place");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  // Copies of exactly the input's size, so that the sanitizers see any read past them.
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::string number = input.substr(0, input.find('\0'));
  char answer[KOBAL_RESULT_SIZE];
  DetectCarrier(number.c_str(), answer);
  Check(number, answer);
  // The same bytes cut into a number and an answer that need not go together.
  const std::size_t cut = size / 2;
  const std::string left = input.substr(0, cut), right = input.substr(cut);
  Check(left, right);
  return 0;
}
