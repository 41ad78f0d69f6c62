// The library asked for one number as it stands, by the lookup core's rule, and its answers as
// UTF-8 by the project's own code page 932 table: the module shows what every front end shows.
#include <cstdint>
#include <string>
#include <string_view>

#include "encodings/AnswerText.h"
#include "lookup/LibraryAnswer.h"

// DetectCarrier's answer for the `size` bytes at `number`, which are followed by a NUL, written
// NUL-terminated to `result` (KobalResultSize bytes); one holding a NUL gets the answer for no
// number, as kobal-lookup --raw gives it.
extern "C" __attribute__((visibility("default"))) void KobalDetectCarrier(const char* number,
                                                                          uint32_t size,
                                                                          char* result) {
  kobal::lookup::AnswerBuffer answer;
  kobal::lookup::AskAsItStands(std::string_view(number, size), answer);
  std::char_traits<char>::copy(result, answer.data(), KOBAL_RESULT_SIZE);
}

// The UTF-8 of the answer `answer` (code page 932, NUL-terminated), NUL-terminated and valid
// until the next call.
extern "C" __attribute__((visibility("default"))) const char* KobalAnswerUtf8(const char* answer) {
  static std::string utf8;
  utf8 = kobal::AnswerUtf8(answer);
  return utf8.c_str();
}
