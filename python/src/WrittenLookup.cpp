// Written number to answer: the normaliser's digits through DetectCarrier.
#include "WrittenLookup.h"

#include "normaliser/NumberNormaliser.h"

namespace kobal::python {

void Detect(const char* number, Answer& answer) {
  answer.fill('\0');
  DetectCarrier(number, answer.data());
}

void AnswerWritten(std::string_view written, std::string& number, Answer& answer) {
  // Plain digits are the number as they stand (the common case in a column): no copy.
  if (IsPlainDomesticNumber(written)) {
    Detect(written.data(), answer);
  } else if (NormaliseNumber(written, number)) {
    Detect(number.c_str(), answer);
  } else {
    AnswerNoNumber(answer);
  }
}

}  // namespace kobal::python
