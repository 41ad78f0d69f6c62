// One line in, one record out, whatever the line holds.
#include "LineAnswerer.h"

#include <cstdint>
#include <optional>

#include "NumberNormaliser.h"

namespace kobal::cli {
namespace {

// Numbers are short: a plain loop costs less than a call to memchr.
bool HoldsNul(std::string_view line) {
  bool nul = false;
  for (const char c : line) nul |= c == '\0';
  return nul;
}

}  // namespace

static_assert(AnswerCache::kAnswerRoom >= KOBAL_RESULT_SIZE);

LineAnswerer::LineAnswerer(bool raw, RecordWriter& writer) : raw_(raw), writer_(writer) {
  AnswerCache::Clear(unknown_);
  DetectCarrier("", unknown_.data());  // the empty number is never placed
}

void LineAnswerer::Answer(std::string_view line, std::string_view asRead) {
  std::optional<std::string_view> number = asRead;
  if (!raw_) {
    number.reset();
    if (NormaliseNumber(line, number_)) number = number_;
  } else if (HoldsNul(asRead)) {
    number.reset();  // a NUL up to which the library would read and answer for another number
  }
  if (!number) return writer_.Write(line, number, unknown_);  // the library is not asked
  AnswerCache::Clear(answer_);
  DetectCarrier(number->data(), answer_.data());
  writer_.Write(line, number, answer_);
}

void LineAnswerer::AnswerBatch(std::span<const BlockLine> lines, LineDecoder& decoder) {
  std::array<bool, kBatch> asked;  // the line as it stands went to the library
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const BlockLine& line = lines[i];
    // Digits are the number as they stand, unless they lead to a country code.
    asked[i] = line.digitsOnly && (raw_ || !HasInternationalPrefix(line.bytes));
    if (!asked[i]) continue;
    AnswerCache::Clear(answers_[i]);
    DetectCarrier(line.bytes.data(), answers_[i].data());
  }
  std::array<std::uint32_t, kBatch> hashes;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (asked[i]) hashes[i] = writer_.Prefetch(answers_[i]);
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (asked[i]) {
      writer_.WriteDigits(lines[i].bytes, answers_[i], hashes[i]);
    } else {
      Answer(decoder.Decode(lines[i].bytes), lines[i].bytes);
    }
  }
}

void LineAnswerer::AnswerPiece(std::string_view text, bool first, bool last) {
  if (first && last) return Answer(text);
  if (first) writer_.BeginPieces();
  writer_.WritePiece(text);
  if (last) writer_.EndPieces(unknown_);
}

}  // namespace kobal::cli
