// One line in, one record out, whatever the line holds.
#include "LineAnswerer.h"

#include <cstring>

#include "NumberNormaliser.h"

namespace kobal::cli {

LineAnswerer::LineAnswerer(bool raw, RecordWriter& writer) : raw_(raw), writer_(writer) {
  DetectCarrier("", unknown_);  // the empty number is never placed
}

void LineAnswerer::Answer(std::string_view line) {
  std::string_view number = line;
  bool isNumber = true;
  if (!raw_) {
    isNumber = NormaliseNumber(line, number_);
    number = number_;
  }
  const char* answer = answer_;
  if (!isNumber || std::memchr(number.data(), '\0', number.size()) != nullptr) {
    // Not one number, or a NUL up to which the library would read and answer for another one.
    answer = unknown_;
  } else {
    DetectCarrier(number.data(), answer_);
  }
  writer_.Write(line, number, answer);
}

}  // namespace kobal::cli
