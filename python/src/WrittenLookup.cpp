// Written number to answer: the normaliser's digits through DetectCarrier.
#include "WrittenLookup.h"

#include "normaliser/NumberNormaliser.h"

namespace kobal::python {

void AnswerWritten(std::string_view written, std::string& number, Answer& answer) {
  // Plain digits are the number as they stand (the common case in a column): no copy.
  if (IsPlainDomesticNumber(written)) {
    DetectCarrier(written.data(), answer.data());
  } else if (NormaliseNumber(written, number)) {
    DetectCarrier(number.c_str(), answer.data());
  } else {
    AnswerNoNumber(answer);
  }
}

void AnswerNoNumber(Answer& answer) { DetectCarrier("", answer.data()); }

}  // namespace kobal::python
