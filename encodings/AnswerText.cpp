// One decoding of the library's answers for every front end.
#include "encodings/AnswerText.h"

#include "encodings/Cp932.h"
#include "encodings/Utf16.h"

namespace kobal {

std::string AnswerUtf8(std::string_view answer) {
  std::string utf8;
  AppendCp932AsUtf8(answer, true, utf8);
  return utf8;
}

std::u16string AnswerUtf16(std::string_view answer) { return Utf16FromUtf8(AnswerUtf8(answer)); }

}  // namespace kobal
