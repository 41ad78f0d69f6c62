// Writes one output record per input line holding the fields a run chose, in the order chosen
// (--fields): tsv and csv cells, or a JSON object with exactly those keys, whose empty fields
// but the input are null. The values are the lookup core's (FieldValue, DescribeNumber); what
// depends on the answer alone is made once per distinct answer, the words once each.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "fields/Field.h"
#include "fields/NumberFields.h"
#include "lookup/FieldEscape.h"
#include "lookup/LibraryAnswer.h"
#include "lookup/TextAnswer.h"
#include "lookup/lines/AnswerCache.h"
#include "lookup/lines/LineOptions.h"
#include "lookup/lines/OutputBuffer.h"
#include "lookup/lines/RenderedWords.h"

namespace kobal::lookup {

class FieldLineWriter {
 public:
  // `fields` is not empty and names no field twice (ParseFieldList); lines are written in UTF-8
  // or Shift-JIS (not JSON).
  FieldLineWriter(std::vector<Field> fields, OutputFormat format, TextEncoding encoding,
                  OutputBuffer& output, bool guardFormulas);
  FieldLineWriter(const FieldLineWriter&) = delete;
  FieldLineWriter& operator=(const FieldLineWriter&) = delete;

  // As LineWriter's: `written` is the line (UTF-8), `number` what went to the library (none when
  // it was not asked), `answer` the library's answer.
  void Write(std::string_view written, std::optional<std::string_view> number,
             const AnswerBuffer& answer);
  // A line of ASCII digits, in a padded buffer, that went to the library as it is.
  void WriteDigits(std::string_view digits, const AnswerBuffer& answer, std::uint32_t hash);
  std::uint32_t Prefetch(const AnswerBuffer& answer) const { return answers_.Prefetch(answer); }

  // A line too long to be a number, in pieces: the fields before its input are written first,
  // the input piece by piece, then the fields after it.
  void BeginPieces();
  void WritePiece(std::string_view text);
  void EndPieces(const AnswerBuffer& answer);

 private:
  // The fields that differ from line to line whatever the answer (the charge area and a fixed
  // line's holder go with the number's key): written for each line, between segments made once
  // for an answer and its words.
  enum class Own : std::uint8_t { kInput, kNumber, kFormatted, kMa, kCarrier };

  // A record's segments as made for an answer with these words: most lines with the answer have
  // the same.
  struct Segments {
    bool made = false;
    NumberKind kind = NumberKind::kUnknown;
    std::string_view prefecture, place, region;
    std::string bytes;  // the segments, one after the other, and the room of a padded buffer
    std::array<std::uint32_t, 6> ends{};  // each segment's end in bytes
  };
  // What is kept of each answer, by its number: what it says, its result field, and its segments
  // for lines that are a number and for lines that are not (which share the answer 不明).
  struct Known {
    const fields::AnswerFields* said = nullptr;
    std::string_view result;  // the answer's tail
    std::array<Segments, 2> segments;
  };

  // What a record's fields are made of.
  struct Line {
    std::string_view written;
    bool digits;  // written and number are the same ASCII digits, in a padded buffer
    std::optional<std::string_view> number;
    const NumberFields& fields;
  };

  // Writes segment `first` and then each own field from `first` to `last` with the segment after
  // it, for the line's answer `known`.
  void WriteRecord(const Line& line, Known& known, std::size_t first, std::size_t last);
  void MakeSegments(const Line& line, std::string_view result, Segments& made);
  char* WriteEscaped(std::string_view text, char* out) const;
  char* WritePlain(std::string_view text, bool padded, char* out) const;
  Known& KnownFor(const AnswerBuffer& answer, std::uint32_t hash);

  std::vector<Field> fields_;
  std::vector<Own> own_;     // in the order of the fields
  std::size_t inputAt_;      // the input's place among own_; own_.size() when not chosen
  bool wordsOwned_ = false;  // ma or carrier is chosen
  OutputFormat format_;
  TextEncoding encoding_;
  bool guardFormulas_;
  FieldBytes inputBytes_;  // how the input is written
  OutputBuffer& output_;
  RenderedWords words_;
  std::vector<Known> known_;
  AnswerCache answers_;     // numbers the answers; their tails are the result field
  AnswerBuffer unknown_{};  // the answer for no number, which the fields before a long input hold
  bool piecesStarted_ = false;  // a long line's first piece is written
};

}  // namespace kobal::lookup
