// Three-digit service numbers (110 police, 117 time signal, ...).
#include "KobalInternal.h"

namespace kobal {

void DetectServiceNumber(int32_t value, char* result) {
  if (value < tables::kServiceFirst || value > tables::kServiceLast) {
    WriteAnswer(result, tables::kUnknownAnswer);
    return;
  }
  // Values without a row hold the unknown answer.
  WriteAnswer(result, tables::kServiceAnswers[value - tables::kServiceFirst]);
}

}  // namespace kobal
