// Texts answered as data, a block of them in one call of the WebAssembly module: each item's
// fields by the lookup core's TextAnswerer. What repeats (status, kind, prefecture, place, charge
// area, carrier, region, the answer) comes back as the number of a set of them, found by the
// answer and the number's split and worked out once, each set and each text crossing into
// JavaScript once; the number (unless it is the item itself) and its written form, ASCII, as
// lengths into one run of characters. Also the batch's CSV of chosen fields.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "fields/Field.h"
#include "lookup/FieldEscape.h"
#include "lookup/TextAnswer.h"
#include "web/wasm/ForEachLine.h"

namespace {

using kobal::Field;
using kobal::lookup::AnswerBuffer;

// Distinct UTF-8 texts, numbered in the order met; 0 stands for none (an empty field).
class TextTable {
 public:
  TextTable() { texts_.emplace_back(); }

  uint32_t Of(std::string_view text) {
    if (text.empty()) return 0;
    const auto [entry, added] = byText_.try_emplace(std::string(text), 0);
    if (added) {
      entry->second = static_cast<uint32_t>(texts_.size());
      texts_.emplace_back(text);
    }
    return entry->second;
  }

  // Text `number`, NUL-terminated; null for a number not given yet.
  const char* Text(uint32_t number) const {
    return number < texts_.size() ? texts_[number].c_str() : nullptr;
  }

 private:
  std::vector<std::string> texts_;  // by number
  std::unordered_map<std::string, uint32_t> byText_;
};

// The fields of an answer that repeat from one number to another (status, kind, prefecture,
// place, charge area, carrier, region, result), as the numbers of their texts.
using FieldSet = std::array<uint32_t, kobal::kFieldCount - 3>;  // input, number, formatted apart

// Sets of fields numbered in the order met, found by what makes them: the number of the
// library's answer, the status and the split's WordsKey. One probe of a word a number; the words
// are worked out only for a set not met before.
class FieldSets {
 public:
  FieldSets() : slots_(1024) {}

  uint32_t Of(kobal::lookup::TextAnswerer& answerer, kobal::lookup::AnswerStatus status,
              const kobal::NumberSplit& split) {
    const uint64_t key = uint64_t{answerer.AnswerNumber()} << 32 |
                         uint64_t{kobal::WordsKey(split)} << 2 | static_cast<uint64_t>(status);
    std::size_t slot = Hash(key) & (slots_.size() - 1);
    for (; slots_[slot].used; slot = (slot + 1) & (slots_.size() - 1)) {
      if (slots_[slot].key == key) return slots_[slot].number;
    }
    const auto number = static_cast<uint32_t>(sets_.size());
    answerer.Describe();
    FieldSet& set = sets_.emplace_back();
    for (int field = static_cast<int>(Field::kStatus); field <= static_cast<int>(Field::kResult);
         field++) {
      set[field - static_cast<int>(Field::kStatus)] =
          texts_.Of(answerer.Text(static_cast<Field>(field), {}));
    }
    slots_[slot] = {key, number, true};
    if (2 * sets_.size() > slots_.size()) Grow();
    return number;
  }

  const FieldSet* Set(uint32_t number) const {
    return number < sets_.size() ? &sets_[number] : nullptr;
  }
  const char* Text(uint32_t number) const { return texts_.Text(number); }

 private:
  struct Slot {
    uint64_t key = 0;
    uint32_t number = 0;
    bool used = false;
  };

  static std::size_t Hash(uint64_t key) {
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15u) >> 32);
  }
  void Grow() {
    std::vector<Slot> old(2 * slots_.size());
    old.swap(slots_);
    for (const Slot& entry : old) {
      if (!entry.used) continue;
      std::size_t slot = Hash(entry.key) & (slots_.size() - 1);
      while (slots_[slot].used) slot = (slot + 1) & (slots_.size() - 1);
      slots_[slot] = entry;
    }
  }

  std::vector<Slot> slots_;     // a power of two of them
  std::vector<FieldSet> sets_;  // by set number
  TextTable texts_;
};

// The answerer and what it has met, shared by every call: the module runs on one thread.
struct FieldState {
  kobal::lookup::TextAnswerer answerer;
  FieldSets sets;
  std::string chars;                        // a block's numbers and written forms
  std::string csv;                          // a block's CSV records
  std::vector<std::string> resultCells[2];  // answer number -> its CSV cell, UTF-8 and Shift-JIS
};

FieldState& State() {
  static FieldState state;
  return state;
}

// A mark in an item's end (see KobalAnswerItems), not part of it.
constexpr uint32_t kDigitsOnly = uint32_t{1} << 31;

}  // namespace

// Answers `count` items laid out as for KobalAnswerItems (item i runs from one past the end of
// item i - 1 to ends[i], its top bit marking ASCII digits), each as a line of kobal-lookup,
// normalised. Item i's record is records[i]: the number of its other fields' set (KobalFieldSet)
// times 64, plus 32 when its number is the item itself (marked digits that went to the library
// as they stand), plus the length of formatted (0: none); and numberSizes[i], the length of its
// number otherwise (0: none). The characters of the numbers that are not the item and of
// formatted follow one another, item after item, in the ASCII returned, valid until the next
// call; their count goes to *charsSize.
extern "C" __attribute__((visibility("default"))) const char* KobalParseItems(
    const char* text, uint32_t count, const uint32_t* ends, uint32_t* records,
    uint32_t* numberSizes, uint32_t* charsSize) {
  FieldState& state = State();
  std::string& chars = state.chars;
  // Room for the formatted of every item; a number that is not the item takes more when needed.
  constexpr std::size_t kFormattedRoom = 16;
  chars.resize(std::size_t{count} * kFormattedRoom);
  std::size_t at = 0;
  uint32_t start = 0;
  for (uint32_t i = 0; i < count; i++) {
    const uint32_t end = ends[i] & ~kDigitsOnly;
    const std::string_view item(text + start, end - start);
    start = end + 1;
    const bool digitsOnly = (ends[i] & kDigitsOnly) != 0;
    const kobal::lookup::TextAnswer& answer =
        digitsOnly ? state.answerer.AnswerDigits(item, false) : state.answerer.Answer(item, false);
    const kobal::NumberSplit split = state.answerer.Split();
    const std::string_view number = answer.number;
    const bool asItem = digitsOnly && number.data() == item.data() && number.size() == item.size();
    const std::size_t numberSize = asItem ? 0 : number.size();
    const std::size_t needed = at + numberSize + std::size_t{count - i} * kFormattedRoom;
    if (needed > chars.size()) chars.resize(std::max(needed, 2 * chars.size()));
    char* const out = chars.data() + at;
    if (numberSize != 0) std::memcpy(out, number.data(), numberSize);
    const char* const formattedEnd = kobal::WriteFormatted(number, split, out + numberSize);
    const auto formattedSize = static_cast<uint32_t>(formattedEnd - (out + numberSize));
    at = static_cast<std::size_t>(formattedEnd - chars.data());
    records[i] = state.sets.Of(state.answerer, answer.status, split) << 6 | (asItem ? 32u : 0u) |
                 formattedSize;
    numberSizes[i] = static_cast<uint32_t>(numberSize);
  }
  *charsSize = static_cast<uint32_t>(at);
  return chars.data();
}

// Set `number` of KobalParseItems' records: the numbers of the texts (KobalFieldText) of status,
// kind, prefecture, place, ma, carrier, region and result, in that order, 0 for an empty one;
// null for a number not given yet.
extern "C" __attribute__((visibility("default"))) const uint32_t* KobalFieldSet(uint32_t number) {
  const FieldSet* set = State().sets.Set(number);
  return set == nullptr ? nullptr : set->data();
}

// Text `number` of the field sets (UTF-8, NUL-terminated), valid as long as the module runs;
// null for a number not given yet.
extern "C" __attribute__((visibility("default"))) const char* KobalFieldText(uint32_t number) {
  return State().sets.Text(number);
}

// The batch's CSV records of the lines of the `size` bytes at `text` (UTF-8, lines as
// KobalClassifyLines reads them): for each line the `fieldCount` fields at `fields` (values of
// Field) in that order, RFC 4180 with CRLF, in UTF-8 or, when `shiftJis`, code page 932 with the
// library's own bytes of the answer, as kobal-lookup writes its fields. A cell a spreadsheet
// would evaluate gets a leading apostrophe; the number, digits only, goes as it is. Returns the
// bytes, valid until the next call, and puts their size in *written.
extern "C" __attribute__((visibility("default"))) const char* KobalBatchCsv(
    const char* text, uint32_t size, uint32_t shiftJis, const uint8_t* fields, uint32_t fieldCount,
    uint32_t* written) {
  using namespace kobal::lookup;
  FieldState& state = State();
  const FieldBytes bytes = shiftJis != 0 ? FieldBytes::kShiftJis : FieldBytes::kUtf8;
  const kobal::TextEncoding encoding =
      shiftJis != 0 ? kobal::TextEncoding::kShiftJis : kobal::TextEncoding::kUtf8;
  std::vector<std::string>& resultCells = state.resultCells[shiftJis != 0 ? 1 : 0];
  std::string& csv = state.csv;
  csv.clear();
  ForEachLine(text, size, [&](uint32_t, std::string_view line) {
    const TextAnswer& answer = state.answerer.Answer(line);
    for (uint32_t i = 0; i < fieldCount; i++) {
      const auto field = static_cast<Field>(fields[i]);
      std::string_view cell;
      if (field == Field::kResult) {
        // Made once for each answer, from the library's bytes.
        const uint32_t number = state.answerer.AnswerNumber();
        if (number >= resultCells.size()) resultCells.resize(number + 1);
        if (resultCells[number].empty())
          resultCells[number] = AnswerField(answer.result.data(), OutputFormat::kCsv, encoding);
        cell = resultCells[number];
      } else {
        cell = state.answerer.Text(field, line);
      }
      const std::size_t before = csv.size();
      csv.resize(before + MaxEscapedSize(cell.size()) + 2);
      char* out = csv.data() + before;
      if (i > 0) *out++ = ',';
      if (field == Field::kResult || field == Field::kNumber)
        out = std::copy(cell.begin(), cell.end(), out);
      else
        out = WriteCsvCell(cell, bytes, {.guardFormulas = true}, out);
      csv.resize(static_cast<std::size_t>(out - csv.data()));
    }
    csv.append("\r\n");
  });
  *written = static_cast<uint32_t>(csv.size());
  return csv.data();
}
