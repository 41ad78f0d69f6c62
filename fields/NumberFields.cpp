#include "fields/NumberFields.h"

#include <array>
#include <cstdint>
#include <cstring>

#include "fields/AnswerTable.h"
#include "fields/KeyTable.h"

namespace kobal {
namespace {

using fields::AnswerClass;

// The shapes of the numbering that the fields tell apart, by length and leading digits.
enum class Shape {
  kOther,
  kService,
  kNineDigit,
  kTenDigit,
  kTollFree,
  kInformation,
  kMobile,
  kPhs
};

struct ShapeSplit {
  Shape shape;
  // Digits before the first and the second hyphen; 0: none, or as the list splits the key.
  std::size_t first, second;
};

// A number of one of the lengths the numbering has (3, 9, 10 or 11 ASCII digits), read where the
// caller holds it: a word at a time, never past its end, and never from bytes just written,
// whose reload would wait for the stores.
struct Digits {
  const char* bytes;
  std::size_t size;

  template <std::size_t N>
  bool Begins(const char (&prefix)[N]) const {
    return std::memcmp(bytes, prefix, N - 1) == 0;
  }
};

template <typename Word>
Word Load(const char* bytes) {
  Word word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

template <typename Word>
void Store(char* bytes, Word word) {
  std::memcpy(bytes, &word, sizeof word);
}

// Whether all eight bytes are ASCII digits: 0x3N with N at most 9.
bool AllDigits(uint64_t word) {
  constexpr uint64_t kHigh = 0xF0F0F0F0F0F0F0F0u, kLow = 0x0F0F0F0F0F0F0F0Fu;
  return (word & kHigh) == 0x3030303030303030u &&
         (((word & kLow) + 0x0606060606060606u) & 0x1010101010101010u) == 0;
}

// Whether `number` is ASCII digits of a length the numbering has.
bool ReadDigits(std::string_view number, Digits& digits) {
  const std::size_t size = number.size();
  digits = {number.data(), size};
  if (size == 3) {
    for (char c : number) {
      if (c < '0' || c > '9') return false;
    }
    return true;
  }
  // Two words that overlap cover nine to eleven bytes.
  return size >= 9 && size <= 11 && AllDigits(Load<uint64_t>(number.data())) &&
         AllDigits(Load<uint64_t>(number.data() + size - 8));
}

ShapeSplit ShapeOf(const Digits& digits) {
  switch (digits.size) {
    case 3:
      return {Shape::kService, 0, 0};
    case 9:
      if (std::string_view(digits.bytes, digits.size).starts_with(fields::kNineDigitAreaCode)) {
        return {Shape::kNineDigit, 0, 0};
      }
      break;
    case 10:
      if (digits.Begins("0120")) return {Shape::kTollFree, 4, 3};
      if (digits.Begins("0990")) return {Shape::kInformation, 4, 3};
      if (digits.bytes[0] == '0') return {Shape::kTenDigit, 0, 0};
      break;
    case 11:
      if (digits.Begins("090")) return {Shape::kMobile, 3, 4};
      if (digits.Begins("070")) return {Shape::kPhs, 3, 4};
      if (digits.Begins("0800")) return {Shape::kTollFree, 4, 3};
      break;
    default:
      break;
  }
  return {Shape::kOther, 0, 0};
}

// The kind an answer of `answerClass` gives a number of `shape`: unknown where the library would
// not give that answer to that shape.
NumberKind KindOf(AnswerClass answerClass, Shape shape) {
  switch (answerClass) {
    case AnswerClass::kFixedLine:
      if (shape == Shape::kTenDigit || shape == Shape::kNineDigit) return NumberKind::kFixed;
      break;
    case AnswerClass::kCarrier:
      if (shape == Shape::kMobile) return NumberKind::kMobile;
      if (shape == Shape::kPhs) return NumberKind::kPhs;
      break;
    case AnswerClass::kTollFree:
      if (shape == Shape::kTollFree) return NumberKind::kTollFree;
      break;
    case AnswerClass::kInformation:
      if (shape == Shape::kInformation) return NumberKind::kInformation;
      break;
    case AnswerClass::kService:
      if (shape == Shape::kService) return NumberKind::kService;
      break;
    case AnswerClass::kUnknown:
      break;
  }
  return NumberKind::kUnknown;
}

// Copies `size` bytes, 1 to 8: two words that overlap, or for fewer than four, three bytes that
// may be the same. No call, and no branch on each byte.
void CopyPart(char* to, const char* from, std::size_t size) {
  if (size >= 4) {
    Store(to, Load<uint32_t>(from));
    Store(to + size - 4, Load<uint32_t>(from + size - 4));
  } else {
    to[0] = from[0];
    to[size / 2] = from[size / 2];
    to[size - 1] = from[size - 1];
  }
}

// Writes the number into `out` with a hyphen after `first` digits and another `second` digits
// later; both 0: as it is. Every part is at most eight digits.
void WriteFormatted(const Digits& digits, std::size_t first, std::size_t second,
                    NumberFields& out) {
  char* to = out.formattedBytes;
  if (first == 0) {
    CopyPart(to, digits.bytes, digits.size);
    out.formattedSize = static_cast<uint8_t>(digits.size);
    return;
  }
  const std::size_t last = digits.size - first - second;
  CopyPart(to, digits.bytes, first);
  to[first] = '-';
  CopyPart(to + first + 1, digits.bytes + first, second);
  to[first + second + 1] = '-';
  CopyPart(to + first + second + 2, digits.bytes + first + second, last);
  out.formattedSize = static_cast<uint8_t>(digits.size + 2);
}

// The fields of a number read into `digits`, with what its answer says.
NumberFields Describe(const Digits& digits, const fields::AnswerFields* said) {
  NumberFields out;
  const ShapeSplit split = ShapeOf(digits);
  if (said != nullptr) out.kind = KindOf(said->answerClass, split.shape);

  fields::KeySplit key;
  if (split.shape == Shape::kTenDigit) {
    key = fields::SplitOfKey(digits.bytes);
  } else if (split.shape == Shape::kNineDigit && out.kind == NumberKind::kFixed) {
    key = fields::SplitOfEntry(fields::kNineDigitEntry);  // Hakone: one area code, one MA
  }
  if (key.areaCodeLength != 0) {
    // The local code runs up to the last four digits.
    const auto area = static_cast<std::size_t>(key.areaCodeLength);
    WriteFormatted(digits, area, digits.size - 4 - area, out);
    out.ma = key.ma;
  } else if (split.first != 0) {
    WriteFormatted(digits, split.first, split.second, out);
  } else if (out.kind == NumberKind::kService) {
    WriteFormatted(digits, 0, 0, out);  // as it is
  }

  switch (out.kind) {
    case NumberKind::kFixed:
      out.prefecture = said->prefecture;
      out.place = said->place;
      out.carrier = key.ntt;
      break;
    case NumberKind::kMobile:
    case NumberKind::kPhs:
      out.carrier = said->brand;
      out.region = said->region;
      break;
    default:
      break;
  }
  return out;
}

}  // namespace

std::string_view KindName(NumberKind kind) {
  constexpr std::array<std::string_view, 7> kNames = {
      "fixed", "mobile", "phs", "toll-free", "information", "service", "unknown"};
  const auto index = static_cast<std::size_t>(kind);
  return index < kNames.size() ? kNames[index] : std::string_view{};
}

const fields::AnswerFields* ReadAnswer(std::string_view answer) {
  return fields::FindAnswer(answer);
}

NumberFields DescribeNumber(std::string_view number, std::string_view answer) {
  Digits digits;
  if (!ReadDigits(number, digits)) return {};  // no shape of the numbering: nothing to say
  return Describe(digits, fields::FindAnswer(answer));
}

NumberFields DescribeNumber(std::string_view number, const fields::AnswerFields* answer) {
  Digits digits;
  if (!ReadDigits(number, digits)) return {};
  return Describe(digits, answer);
}

}  // namespace kobal
