// Normalise, ask, number: the answer of a line as a small number that stays valid.
#include "lookup/lines/LineClassifier.h"

#include <optional>

#include "normaliser/NumberNormaliser.h"

namespace kobal::lookup {

LineClassifier::LineClassifier() {
  AskLibrary("", answer_);
  noNumber_ = answers_.Number(answer_);
}

std::uint32_t LineClassifier::Classify(std::string_view line, bool raw) {
  const std::optional<std::string_view> number = NumberToAsk(line, line, raw, digits_);
  if (!number) return noNumber_;
  return ClassifyNumber(number->data());
}

std::uint32_t LineClassifier::ClassifyTerminated(std::string_view line) {
  // What NumberToAsk gives such a line: the digits as they stand.
  if (line.size() < kLongLine && IsPlainDomesticNumber(line)) return ClassifyNumber(line.data());
  return Classify(line);
}

std::uint32_t LineClassifier::ClassifyNumber(const char* number) {
  AskLibrary(number, answer_);
  return answers_.Number(answer_);
}

}  // namespace kobal::lookup
