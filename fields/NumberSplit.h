// Where a number's hyphens go and which charge area and holder its key has, with its kind: what
// DescribeNumber finds before any word is looked up, so that a writer that renders each word
// once finds a line's words by number. Inline: a writer splits every line it writes.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

#include "fields/AnswerTable.h"
#include "fields/KeyTable.h"

namespace kobal {

enum class NumberKind : uint8_t {
  kFixed,
  kMobile,
  kPhs,
  kTollFree,
  kInformation,
  kService,
  kUnknown
};

struct NumberSplit {
  NumberKind kind = NumberKind::kUnknown;
  bool formatted = false;   // the number has a formatted form
  uint8_t first = 0;        // digits before the first hyphen; 0: written as it is
  uint8_t second = 0;       // digits between the hyphens
  int16_t chargeArea = -1;  // ChargeAreaName's number; -1: none
  uint8_t holder = 0;       // HolderName's number, for a fixed line; 0: none
};

// What of a split a number's words (kind, ma, a fixed line's carrier) depend on besides its
// answer: equal keys, equal words. 27 bits.
inline uint32_t WordsKey(const NumberSplit& split) {
  return static_cast<uint32_t>(split.kind) | static_cast<uint32_t>(split.holder) << 3 |
         static_cast<uint32_t>(split.chargeArea + 1) << 11;
}

namespace fields {

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

// What a number's split depends on besides its answer: numbers of one length with the same
// shape split the same with any one answer.
struct ShapeSplit {
  Shape shape;
  // Digits before the first and the second hyphen; 0: none, or as the list splits the key.
  uint8_t first, second;
  uint16_t entry;  // ten digits: the key's entry in the list (0: none)

  uint32_t Key() const { return static_cast<uint32_t>(shape) | uint32_t{entry} << 8; }
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
inline Word Load(const char* bytes) {
  Word word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

template <typename Word>
inline void Store(char* bytes, Word word) {
  std::memcpy(bytes, &word, sizeof word);
}

// Whether all eight bytes are ASCII digits: 0x3N with N at most 9.
inline bool AllDigits(uint64_t word) {
  constexpr uint64_t kHigh = 0xF0F0F0F0F0F0F0F0u, kLow = 0x0F0F0F0F0F0F0F0Fu;
  return (word & kHigh) == 0x3030303030303030u &&
         (((word & kLow) + 0x0606060606060606u) & 0x1010101010101010u) == 0;
}

// Whether `number` is ASCII digits of a length the numbering has.
inline bool ReadDigits(std::string_view number, Digits& digits) {
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

inline ShapeSplit ShapeOf(const Digits& digits) {
  switch (digits.size) {
    case 3:
      return {Shape::kService, 0, 0, 0};
    case 9:
      if (std::string_view(digits.bytes, digits.size).starts_with(kNineDigitAreaCode)) {
        return {Shape::kNineDigit, 0, 0, 0};
      }
      break;
    case 10:
      if (digits.Begins("0120")) return {Shape::kTollFree, 4, 3, 0};
      if (digits.Begins("0990")) return {Shape::kInformation, 4, 3, 0};
      if (digits.bytes[0] == '0') return {Shape::kTenDigit, 0, 0, KeyEntry(digits.bytes)};
      break;
    case 11:
      if (digits.Begins("090")) return {Shape::kMobile, 3, 4, 0};
      if (digits.Begins("070")) return {Shape::kPhs, 3, 4, 0};
      if (digits.Begins("0800")) return {Shape::kTollFree, 4, 3, 0};
      break;
    default:
      break;
  }
  return {Shape::kOther, 0, 0, 0};
}

// The kind an answer of `answerClass` gives a number of `shape`: unknown where the library would
// not give that answer to that shape.
inline NumberKind KindOf(AnswerClass answerClass, Shape shape) {
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
inline void CopyPart(char* to, const char* from, std::size_t size) {
  if (size >= 4) {
    Store(to, Load<uint32_t>(from));
    Store(to + size - 4, Load<uint32_t>(from + size - 4));
  } else {
    to[0] = from[0];
    to[size / 2] = from[size / 2];
    to[size - 1] = from[size - 1];
  }
}

// Writes the number at `to` with a hyphen after `first` digits and another `second` digits later;
// both 0: as it is. Every part is at most eight digits.
inline char* WriteSplit(const Digits& digits, std::size_t first, std::size_t second, char* to) {
  if (first == 0) {
    CopyPart(to, digits.bytes, digits.size);
    return to + digits.size;
  }
  const std::size_t last = digits.size - first - second;
  CopyPart(to, digits.bytes, first);
  to[first] = '-';
  CopyPart(to + first + 1, digits.bytes + first, second);
  to[first + second + 1] = '-';
  CopyPart(to + first + second + 2, digits.bytes + first + second, last);
  return to + digits.size + 2;
}

// The same for digits that may be read eight bytes at a time, with a hyphen after `first` of
// them and another `second` later, as every split of the numbering has: a first part of at most
// eight digits, a second of at most four and a last of three or four. Writes nothing past the
// text, and branches on none of the parts' lengths, which vary from line to line: each part is
// one store, the later ones over what an earlier one wrote too much, the hyphens last.
inline void WriteSplitFromWords(const char* digits, std::size_t size, std::size_t first,
                                std::size_t second, char* to) {
  const std::size_t end = size + 2;
  Store(to, Load<uint64_t>(digits));
  Store(to + first + 1, Load<uint32_t>(digits + first));
  Store(to + end - 4, Load<uint32_t>(digits + size - 4));
  to[first] = '-';
  to[first + second + 1] = '-';
}

// The split of a number of `size` digits and `shape`, with what its answer says.
inline NumberSplit SplitShape(const ShapeSplit& shape, std::size_t size, const AnswerFields* said) {
  NumberSplit out;
  if (said != nullptr) out.kind = KindOf(said->answerClass, shape.shape);

  KeySplit key;
  if (shape.shape == Shape::kTenDigit) {
    key = SplitOfEntry(shape.entry);
  } else if (shape.shape == Shape::kNineDigit && out.kind == NumberKind::kFixed) {
    key = SplitOfEntry(kNineDigitEntry);  // Hakone: one area code, one MA
  }
  if (key.areaCodeLength != 0) {
    // The local code runs up to the last four digits.
    out.formatted = true;
    out.first = static_cast<uint8_t>(key.areaCodeLength);
    out.second = static_cast<uint8_t>(size - 4 - out.first);
    out.chargeArea = static_cast<int16_t>(key.ma);
    if (out.kind == NumberKind::kFixed) out.holder = static_cast<uint8_t>(key.holder);
  } else if (shape.first != 0) {
    out.formatted = true;
    out.first = shape.first;
    out.second = shape.second;
  } else if (out.kind == NumberKind::kService) {
    out.formatted = true;  // as it is
  }
  return out;
}

inline NumberSplit Split(const Digits& digits, const AnswerFields* said) {
  return SplitShape(ShapeOf(digits), digits.size, said);
}

}  // namespace fields

// The split of `number` (what went to the library) with what its answer says; none for text that
// is not digits of a length the numbering has.
inline NumberSplit SplitNumber(std::string_view number, const fields::AnswerFields* answer) {
  fields::Digits digits;
  if (!fields::ReadDigits(number, digits)) return {};
  return fields::Split(digits, answer);
}

// Writes the formatted `number` at `out` and returns its end; nothing when the split of that
// number has none.
inline char* WriteFormatted(std::string_view number, const NumberSplit& split, char* out) {
  if (!split.formatted) return out;
  return fields::WriteSplit({number.data(), number.size()}, split.first, split.second, out);
}

// The ma field of a split's charge area, and a fixed line's carrier field of its holder.
inline std::string_view ChargeAreaName(int chargeArea) {
  return chargeArea < 0 ? std::string_view{} : fields::kChargeAreas[chargeArea];
}
inline std::string_view HolderName(int holder) { return fields::kOperators[holder]; }

}  // namespace kobal
