#include "lookup/records/WorkbookCell.h"

#include <algorithm>

#include "encodings/Utf8.h"

namespace kobal::lookup {
namespace {

constexpr double kNarrowestColumn = 8;
constexpr double kWidestColumn = 60;
constexpr std::string_view kCutMark = "…";

// Excel counts a cell's characters in UTF-16 code units: one beyond U+FFFF is two.
std::size_t ExcelLength(const Utf8Sequence& sequence) {
  return sequence.valid && sequence.codePoint > 0xFFFF ? 2 : 1;
}

// The longest start of UTF-8 `text` that Excel counts as at most `limit` characters.
std::string_view FirstCharacters(std::string_view text, std::size_t limit) {
  const auto* const begin = reinterpret_cast<const unsigned char*>(text.data());
  const auto* p = begin;
  const auto* const end = p + text.size();
  for (std::size_t count = 0; p < end;) {
    const Utf8Sequence sequence = DecodeUtf8(p, end);
    count += ExcelLength(sequence);
    if (count > limit) break;
    p += sequence.length;
  }
  return text.substr(0, static_cast<std::size_t>(p - begin));
}

// The characters in UTF-8 `text`, as Excel counts them.
std::size_t CharacterCount(std::string_view text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* const end = p + text.size();
  std::size_t count = 0;
  while (p < end) {
    const Utf8Sequence sequence = DecodeUtf8(p, end);
    count += ExcelLength(sequence);
    p += sequence.length;
  }
  return count;
}

}  // namespace

std::string WorkbookCellText(std::string_view given, std::size_t record, std::size_t column,
                             const std::function<void(const std::string&)>& warn) {
  std::string text;
  if (given.find('\0') == std::string_view::npos) {
    text = given;
  } else {
    for (const char c : given) {
      if (c == '\0') {
        text += kReplacementCharacter;
      } else {
        text += c;
      }
    }
  }
  // A character takes at least one byte: only a long text can be too long.
  if (text.size() <= kMaxCellCharacters) return text;
  const std::size_t characters = CharacterCount(text);
  if (characters <= kMaxCellCharacters) return text;
  warn("record " + std::to_string(record) + ", column " + std::to_string(column + 1) +
       ": a cell of " + std::to_string(characters) +
       " characters is cut to Excel's 32767, ending in …");
  return std::string(FirstCharacters(text, kMaxCellCharacters - CharacterCount(kCutMark))) +
         std::string(kCutMark);
}

std::size_t DisplayWidth(std::string_view text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* const end = p + text.size();
  std::size_t widest = 0;
  std::size_t line = 0;
  while (p < end) {
    const Utf8Sequence sequence = DecodeUtf8(p, end);
    p += sequence.length;
    if (sequence.codePoint == U'\n') {
      line = 0;
      continue;
    }
    // Half-width katakana take one column like ASCII.
    const bool narrow = sequence.codePoint < 0x1100 ||
                        (sequence.codePoint >= 0xFF61 && sequence.codePoint <= 0xFF9F);
    line += narrow ? 1 : 2;
    widest = std::max(widest, line);
  }
  return widest;
}

void ColumnWidths::Widen(std::size_t column, std::string_view cell) {
  if (column >= widest_.size()) widest_.resize(column + 1, 0);
  widest_[column] = std::max(widest_[column], DisplayWidth(cell));
}

double ColumnWidths::Width(std::size_t column) const {
  const double widest = column < widest_.size() ? static_cast<double>(widest_[column]) : 0;
  return std::min(kWidestColumn, std::max(kNarrowestColumn, widest * 1.1 + 2));
}

}  // namespace kobal::lookup
