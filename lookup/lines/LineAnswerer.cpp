// One line in, one record out, whatever the line holds.
#include "lookup/lines/LineAnswerer.h"

#include <cstdint>
#include <optional>

#include "lookup/lines/FieldLineWriter.h"
#include "lookup/lines/LineWriter.h"

namespace kobal::lookup {

template <typename Writer>
LineAnswerer<Writer>::LineAnswerer(bool raw, Writer& writer) : raw_(raw), writer_(writer) {
  AskLibrary("", unknown_);  // the empty number is never placed
}

template <typename Writer>
void LineAnswerer<Writer>::Answer(std::string_view line, std::string_view asRead) {
  const std::optional<std::string_view> number = NumberToAsk(line, asRead, raw_, digits_);
  if (!number) return writer_.Write(line, number, unknown_);  // the library is not asked
  AskLibrary(number->data(), answer_);
  writer_.Write(line, number, answer_);
}

template <typename Writer>
void LineAnswerer<Writer>::AnswerBatch(std::span<const BlockLine> lines, LineDecoder& decoder) {
  std::array<bool, kBatch> asked;  // the line as it stands went to the library
  std::array<typename Writer::Shape, kBatch> shapes;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const BlockLine& line = lines[i];
    asked[i] = line.digitsOnly && DigitsGoAsTheyStand(line.bytes, raw_);
    if (asked[i]) {
      shapes[i] = Writer::ShapeOf(line.bytes);  // overlaps the library's work on the line
      AskLibrary(line.bytes.data(), answers_[i]);
    }
  }
  std::array<typename Writer::Hint, kBatch> hints;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (asked[i]) hints[i] = writer_.Prefetch(answers_[i], shapes[i]);
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (asked[i]) {
      writer_.WriteDigits(lines[i].bytes, answers_[i], hints[i]);
    } else {
      Answer(decoder.Decode(lines[i].bytes), lines[i].bytes);
    }
  }
}

template <typename Writer>
void LineAnswerer<Writer>::AnswerPiece(std::string_view text, bool first, bool last) {
  if (first && last) return Answer(text);
  if (first) writer_.BeginPieces();
  writer_.WritePiece(text);
  if (last) writer_.EndPieces(unknown_);
}

template class LineAnswerer<LineWriter>;
template class LineAnswerer<FieldLineWriter>;

}  // namespace kobal::lookup
