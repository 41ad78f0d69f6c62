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
  if (!raw_) {
    NormaliseNumber(line, number_);
    number = number_;
  }
  const char* answer = answer_;
  if (std::memchr(number.data(), '\0', number.size()) != nullptr) {
    // The library reads up to the first NUL and would answer for another number.
    answer = unknown_;
  } else {
    DetectCarrier(number.data(), answer_);
  }
  writer_.Write(line, number, answer);
}

}  // namespace kobal::cli
