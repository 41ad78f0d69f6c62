// One written text answered as data: its status, the number asked, the library's answer and what
// the number and answer are (kind, place, carrier ...). What the bindings' parse and format and
// the databases' functions give for a text, and the field values the line and record streams
// write: every front end takes them from here.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fields/Field.h"
#include "fields/NumberFields.h"
#include "lookup/LibraryAnswer.h"
#include "lookup/lines/AnswerCache.h"

namespace kobal::lookup {

// What a text or a cell held: `number` (the library was asked; its answer may still be 不明, a
// number no rule places), `not-a-number`, `empty`, or `missing` (no text at all: a gap in a column,
// a record without the cell).
enum class AnswerStatus { kNumber, kNotANumber, kEmpty, kMissing };
std::string_view StatusName(AnswerStatus status);

struct TextAnswer {
  AnswerStatus status = AnswerStatus::kMissing;
  std::string_view number;  // what went to the library; empty unless the status is `number`
  AnswerBuffer result{};    // the library's answer (Shift-JIS); its answer for no number otherwise
  NumberFields fields;      // all empty unless the status is `number`
};

// The value of `field`, but `input` (the text itself) and `result` (the library's answer, converted
// by whoever keeps it), of an answer of `status` to `number` described as `fields`; UTF-8.
// Inline: the line stream calls it for every field of every line.
inline std::string_view FieldValue(Field field, AnswerStatus status, std::string_view number,
                                   const NumberFields& fields) {
  switch (field) {
    case Field::kNumber:
      return number;
    case Field::kFormatted:
      return fields.Formatted();
    case Field::kStatus:
      return StatusName(status);
    case Field::kKind:
      return status == AnswerStatus::kNumber ? KindName(fields.kind) : std::string_view();
    case Field::kPrefecture:
      return fields.prefecture;
    case Field::kPlace:
      return fields.place;
    case Field::kMa:
      return fields.ma;
    case Field::kCarrier:
      return fields.carrier;
    case Field::kRegion:
      return fields.region;
    case Field::kInput:
    case Field::kResult:
      break;
  }
  return {};
}

class TextAnswerer {
 public:
  // `raw`: texts go to the library as they are, not normalised.
  explicit TextAnswerer(bool raw = false);
  TextAnswerer(const TextAnswerer&) = delete;
  TextAnswerer& operator=(const TextAnswerer&) = delete;

  // `text` as UTF-8 (raw: any bytes). Not one number: `not-a-number`, as kobal-lookup answers a
  // line. The answer is valid until the next call. Without `describe`, the fields are left empty
  // and only status, number and result are answered, for a caller that asks for no more.
  const TextAnswer& Answer(std::string_view text, bool describe = true);

  // The same for a text known to be ASCII digits only and followed by a NUL: the normaliser's
  // work skipped where it would give the digits back.
  const TextAnswer& AnswerDigits(std::string_view digits, bool describe = true);

  // For a caller that keeps the fields of each answer and split, answering without `describe`:
  // the last answer's split (none but for a number), on which with its answer number and status
  // every field but number and formatted depends; and the fields worked out after all.
  NumberSplit Split() const;
  const TextAnswer& Describe();

  // The answer for no text at all (status `missing`): every field empty but status and result.
  const TextAnswer& Missing();

  // The number of the last answer's library text: equal texts, equal numbers, in the order met,
  // so that a front end makes each answer's own text once.
  std::uint32_t AnswerNumber() const { return answerNumber_; }

  // The last answer's result (the library's answer) as UTF-8, valid until the next call.
  std::string_view ResultText() const { return answers_.TailOfNumber(answerNumber_); }

  // The value of `field` of the last answer as UTF-8, `text` being what was answered (`input`);
  // valid until the next call.
  std::string_view Text(Field field, std::string_view text);

 private:
  bool raw_;
  std::string digits_;          // the normalised number
  std::array<char, 32> plain_;  // plain digits with their NUL
  std::string asRead_;          // a raw text with the NUL the library reads up to
  TextAnswer answer_;
  AnswerBuffer unknown_{};  // the library's answer for no number
  // Each answer read once: a hash of its bytes for every number cost more than the library. Its
  // tail is the answer's UTF-8.
  AnswerCache answers_;
  std::vector<const fields::AnswerFields*> read_;  // by answer number
  std::uint32_t answerNumber_ = 0;
  std::uint32_t unknownNumber_ = 0;

  std::uint32_t Read(const AnswerBuffer& answer);
  void ClearFields();
  // The answer to `number`, the digits that go to the library (a NUL after them).
  const TextAnswer& Asked(std::string_view number, bool describe = true);
};

}  // namespace kobal::lookup
