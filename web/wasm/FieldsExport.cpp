// Texts answered as data, a block of them in one call of the WebAssembly module: each item's
// fields by the lookup core's TextAnswerer. What repeats (status, kind, prefecture, place, charge
// area, carrier, region, the answer) comes back as the number of a set of them, each set and each
// text crossing into JavaScript once; the number and its written form, ASCII, as lengths into one
// run of characters. Also the batch's CSV of chosen fields.
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

// Sets of fields numbered in the order met, found by what makes them: the status, the kind, the
// views into constant data of the others and the number of the library's answer. One lookup a
// number, where a lookup of each text would cost more than the answer itself.
class FieldSets {
 public:
  FieldSets() : slots_(1024, kFree) {}

  uint32_t Of(kobal::lookup::TextAnswerer& answerer, const kobal::lookup::TextAnswer& answer) {
    const kobal::NumberFields& fields = answer.fields;
    const Key key = {static_cast<uintptr_t>(answer.status),
                     static_cast<uintptr_t>(fields.kind),
                     answerer.AnswerNumber(),
                     Address(fields.prefecture),
                     fields.prefecture.size(),
                     Address(fields.place),
                     fields.place.size(),
                     Address(fields.ma),
                     fields.ma.size(),
                     Address(fields.carrier),
                     fields.carrier.size(),
                     Address(fields.region),
                     fields.region.size()};
    std::size_t slot = Hash(key) & (slots_.size() - 1);
    for (; slots_[slot] != kFree; slot = (slot + 1) & (slots_.size() - 1)) {
      if (keys_[slots_[slot]] == key) return slots_[slot];
    }
    const auto number = static_cast<uint32_t>(keys_.size());
    keys_.push_back(key);
    FieldSet& set = sets_.emplace_back();
    for (int field = static_cast<int>(Field::kStatus); field <= static_cast<int>(Field::kResult);
         field++) {
      set[field - static_cast<int>(Field::kStatus)] =
          texts_.Of(answerer.Text(static_cast<Field>(field), {}));
    }
    slots_[slot] = number;
    if (2 * keys_.size() > slots_.size()) Grow();
    return number;
  }

  const FieldSet* Set(uint32_t number) const {
    return number < sets_.size() ? &sets_[number] : nullptr;
  }
  const char* Text(uint32_t number) const { return texts_.Text(number); }

 private:
  using Key = std::array<uintptr_t, 13>;
  static constexpr uint32_t kFree = ~uint32_t{0};

  static uintptr_t Address(std::string_view text) {
    return reinterpret_cast<uintptr_t>(text.data());
  }
  static std::size_t Hash(const Key& key) {
    uint64_t hash = 0;
    for (const uintptr_t word : key) hash = (hash ^ word) * 0x9E3779B97F4A7C15u;
    return static_cast<std::size_t>(hash >> 32);
  }
  void Grow() {
    slots_.assign(2 * slots_.size(), kFree);
    for (uint32_t number = 0; number < keys_.size(); number++) {
      std::size_t slot = Hash(keys_[number]) & (slots_.size() - 1);
      while (slots_[slot] != kFree) slot = (slot + 1) & (slots_.size() - 1);
      slots_[slot] = number;
    }
  }

  std::vector<uint32_t> slots_;  // set numbers, a power of two of them
  std::vector<Key> keys_;        // by set number
  std::vector<FieldSet> sets_;   // by set number
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
// item i - 1 to ends[i], its top bit ignored), each as a line of kobal-lookup, normalised. Item
// i's record is the three words from records[3 * i]: the lengths of its number and formatted
// (empty for none), whose characters follow one another, item after item, in the ASCII
// returned; and the number of its other fields' set (KobalFieldSet). The characters are valid
// until the next call; their count goes to *charsSize.
extern "C" __attribute__((visibility("default"))) const char* KobalParseItems(const char* text,
                                                                              uint32_t count,
                                                                              const uint32_t* ends,
                                                                              uint32_t* records,
                                                                              uint32_t* charsSize) {
  FieldState& state = State();
  state.chars.clear();
  uint32_t start = 0;
  for (uint32_t i = 0; i < count; i++) {
    const uint32_t end = ends[i] & ~kDigitsOnly;
    const std::string_view item(text + start, end - start);
    start = end + 1;
    const kobal::lookup::TextAnswer& answer = state.answerer.Answer(item);
    const std::string_view formatted = answer.fields.Formatted();
    state.chars.append(answer.number).append(formatted);
    uint32_t* record = records + std::size_t{3} * i;
    record[0] = static_cast<uint32_t>(answer.number.size());
    record[1] = static_cast<uint32_t>(formatted.size());
    record[2] = state.sets.Of(state.answerer, answer);
  }
  *charsSize = static_cast<uint32_t>(state.chars.size());
  return state.chars.data();
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
