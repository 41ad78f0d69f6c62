// Three-digit service numbers (110 police, 117 time signal, ...).
#include "KobalInternal.h"

namespace kobal {

void DetectServiceNumber(int32_t value, char* result) {
  if (value < tables::kServiceFirst || value > tables::kServiceLast) {
    WriteText(result, tables::kUnknown);
    return;
  }
  const char* text = tables::kServiceTexts[value - tables::kServiceFirst];
  WriteText(result, text != nullptr ? text : tables::kUnknown);
}

}  // namespace kobal
