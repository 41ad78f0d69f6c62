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
  std::size_t first,
      second;  // digits before the first and the second hyphen; 0: none, or the list's
};

// A number of one of the numbering's lengths (3, 9, 10 or 11 digits), zeros after it, so that
// it is read and written a word at a time and never past its end.
struct PaddedDigits {
  char bytes[32];
  std::size_t size;

  template <std::size_t N>
  bool Begins(const char (&prefix)[N]) const {
    return std::memcmp(bytes, prefix, N - 1) == 0;
  }
};

uint64_t LoadWord(const char* bytes) {
  uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

// Whether all eight bytes are ASCII digits: 0x3N with N at most 9.
bool AllDigits(uint64_t word) {
  constexpr uint64_t kHigh = 0xF0F0F0F0F0F0F0F0u, kLow = 0x0F0F0F0F0F0F0F0Fu;
  return (word & kHigh) == 0x3030303030303030u &&
         (((word & kLow) + 0x0606060606060606u) & 0x1010101010101010u) == 0;
}

// Copies `digits` into `padded` if they are ASCII digits of a length the numbering has.
bool ReadDigits(std::string_view digits, PaddedDigits& padded) {
  const std::size_t size = digits.size();
  if (size != 3 && (size < 9 || size > 11)) return false;
  std::memset(padded.bytes, 0, sizeof padded.bytes);
  padded.size = size;
  if (size == 3) {
    for (std::size_t i = 0; i < size; ++i) {
      if (digits[i] < '0' || digits[i] > '9') return false;
      padded.bytes[i] = digits[i];
    }
    return true;
  }
  // Two words that overlap cover nine to eleven bytes.
  const uint64_t head = LoadWord(digits.data()), tail = LoadWord(digits.data() + size - 8);
  if (!AllDigits(head) || !AllDigits(tail)) return false;
  std::memcpy(padded.bytes, &head, sizeof head);
  std::memcpy(padded.bytes + size - 8, &tail, sizeof tail);
  return true;
}

ShapeSplit ShapeOf(const PaddedDigits& digits) {
  switch (digits.size) {
    case 3:
      return {Shape::kService, 0, 0};
    case 9:
      if (std::string_view(digits.bytes, 9).starts_with(fields::kNineDigitAreaCode)) {
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

// Writes the number into `out` with a hyphen after `first` digits (none when 0) and another
// `second` digits later (none when 0), in copies of fixed size: the parts after each hyphen are
// moved along by one whole word pair.
void WriteFormatted(const PaddedDigits& digits, std::size_t first, std::size_t second,
                    NumberFields& out) {
  char text[sizeof digits.bytes + 8];
  std::memcpy(text, digits.bytes, 16);
  std::size_t size = digits.size;
  if (first != 0) {
    text[first] = '-';
    std::memcpy(text + first + 1, digits.bytes + first, 16);
    ++size;
    if (second != 0) {
      text[first + second + 1] = '-';
      std::memcpy(text + first + second + 2, digits.bytes + first + second, 16);
      ++size;
    }
  }
  static_assert(sizeof out.formattedBytes == 16);
  std::memcpy(out.formattedBytes, text, 16);
  out.formattedSize = static_cast<uint8_t>(size);
}

// The fields of a number read into `digits`, with what its answer says.
NumberFields Describe(const PaddedDigits& digits, const fields::AnswerFields* said) {
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
  PaddedDigits digits;
  if (!ReadDigits(number, digits)) return {};  // no shape of the numbering: nothing to say
  return Describe(digits, fields::FindAnswer(answer));
}

NumberFields DescribeNumber(std::string_view number, const fields::AnswerFields* answer) {
  PaddedDigits digits;
  if (!ReadDigits(number, digits)) return {};
  return Describe(digits, answer);
}

}  // namespace kobal
