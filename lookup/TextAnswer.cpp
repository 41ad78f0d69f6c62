#include "lookup/TextAnswer.h"

#include <cstring>

#include "encodings/AnswerText.h"
#include "normaliser/NumberNormaliser.h"

namespace kobal::lookup {

std::string_view StatusName(AnswerStatus status) {
  switch (status) {
    case AnswerStatus::kNumber:
      return "number";
    case AnswerStatus::kNotANumber:
      return "not-a-number";
    case AnswerStatus::kEmpty:
      return "empty";
    case AnswerStatus::kMissing:
      return "missing";
  }
  return "";
}

// Each answer's UTF-8 is made once, when first met, and kept beside it.
TextAnswerer::TextAnswerer(bool raw)
    : raw_(raw), answers_([](std::string_view answer) { return AnswerUtf8(answer); }) {
  AskLibrary("", unknown_);
  unknownNumber_ = Read(unknown_);
}

std::uint32_t TextAnswerer::Read(const AnswerBuffer& answer) {
  const std::uint32_t number = answers_.Number(answer);  // numbered in the order met
  if (number == read_.size()) read_.push_back(ReadAnswer(answer.data()));
  return number;
}

const TextAnswer& TextAnswerer::Answer(std::string_view text, bool describe) {
  // Plain digits, the common text, are the number as they stand (what NumberToAsk gives them):
  // copied with a NUL after them, the normaliser's call spared.
  if (!raw_ && text.size() < plain_.size() && IsPlainDomesticNumber(text)) {
    std::memcpy(plain_.data(), text.data(), text.size());
    plain_[text.size()] = '\0';
    return Asked({plain_.data(), text.size()}, describe);
  }
  std::string_view asRead = text;
  if (raw_) {
    asRead_.assign(text);  // std::string keeps a NUL after its bytes
    asRead = asRead_;
  }
  const std::optional<std::string_view> number = NumberToAsk(text, asRead, raw_, digits_);
  if (!number) {
    Missing();
    answer_.status = AnswerStatus::kNotANumber;
    return answer_;
  }
  return Asked(*number, describe);
}

const TextAnswer& TextAnswerer::AnswerDigits(std::string_view digits, bool describe) {
  if (digits.empty() || digits.size() >= kLongLine || !DigitsGoAsTheyStand(digits, raw_))
    return Answer(digits, describe);
  return Asked(digits, describe);
}

NumberSplit TextAnswerer::Split() const {
  if (answer_.status != AnswerStatus::kNumber) return {};
  return SplitNumber(answer_.number, read_[answerNumber_]);
}

const TextAnswer& TextAnswerer::Describe() {
  if (answer_.status == AnswerStatus::kNumber)
    answer_.fields = DescribeNumber(answer_.number, read_[answerNumber_]);
  return answer_;
}

const TextAnswer& TextAnswerer::Asked(std::string_view number, bool describe) {
  answer_.status = AnswerStatus::kNumber;
  answer_.number = number;
  AskLibrary(number.data(), answer_.result);
  answerNumber_ = Read(answer_.result);
  if (describe) {
    answer_.fields = DescribeNumber(number, read_[answerNumber_]);
  } else {
    ClearFields();
  }
  return answer_;
}

// Field by field: a whole empty NumberFields made on the stack and copied cost more than the
// library's answer (its bytes are zeroed by one instruction and read back by others).
void TextAnswerer::ClearFields() {
  NumberFields& fields = answer_.fields;
  fields.kind = NumberKind::kUnknown;
  fields.prefecture = fields.place = fields.ma = fields.carrier = fields.region = {};
  fields.formattedSize = 0;
}

const TextAnswer& TextAnswerer::Missing() {
  answer_.status = AnswerStatus::kMissing;
  answer_.number = {};
  answer_.result = unknown_;
  answerNumber_ = unknownNumber_;
  ClearFields();
  return answer_;
}

std::string_view TextAnswerer::Text(Field field, std::string_view text) {
  switch (field) {
    case Field::kInput:
      return text;
    case Field::kResult:
      return ResultText();
    default:
      return FieldValue(field, answer_.status, answer_.number, answer_.fields);
  }
}

}  // namespace kobal::lookup
