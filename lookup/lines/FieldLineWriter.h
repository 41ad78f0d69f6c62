// Writes one output record per input line holding the fields a run chose, in the order chosen
// (--fields): tsv and csv cells, or a JSON object with exactly those keys, whose empty fields
// but the input are null. The values are the lookup core's (FieldValue, DescribeNumber); what
// depends on the answer and the number's split alone is made once for each pair met, the words
// once each.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "fields/Field.h"
#include "fields/NumberFields.h"
#include "lookup/FieldEscape.h"
#include "lookup/LibraryAnswer.h"
#include "lookup/TextAnswer.h"
#include "lookup/lines/AnswerCache.h"
#include "lookup/lines/LineOptions.h"
#include "lookup/lines/OutputBuffer.h"
#include "lookup/lines/RecordTemplates.h"
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
  // A line of ASCII digits, in a padded buffer, that went to the library as it is; `hint` is
  // what Prefetch gave for it, a while before.
  using Hint = RecordTemplates::Hint;
  void WriteDigits(std::string_view digits, const AnswerBuffer& answer, const Hint& hint);
  // What the record of a line of digits depends on besides its answer, worked out while the
  // library is asked about the line; then the record it will take, fetched.
  using Shape = std::uint32_t;  // RecordTemplates::Key; 0: the line has no record
  static Shape ShapeOf(std::string_view digits) {
    const std::size_t size = digits.size();
    return size <= kLongestTemplated
               ? RecordTemplates::Key(size, fields::ShapeOf({digits.data(), size}))
               : 0;
  }
  Hint Prefetch(const AnswerBuffer& answer, Shape shape) const {
    return templates_.Locate(AnswerCache::Hash(answer), shape);
  }

  // A line too long to be a number, in pieces: the fields before its input are written first,
  // the input piece by piece, then the fields after it.
  void BeginPieces();
  void WritePiece(std::string_view text);
  void EndPieces(const AnswerBuffer& answer);

 private:
  // The fields written from the line's text for each line; every other field goes with the
  // answer and the number's split (its kind, charge area and holder), so is in the segments.
  enum class Own : std::uint8_t { kInput, kNumber, kFormatted };
  static constexpr std::size_t kMostOwn = 3;

  // A record's segments for one answer and split: the separators, names and words between two
  // own fields, one after the other, and the room of a padded buffer.
  struct Segments {
    std::string bytes;
    std::array<std::uint32_t, kMostOwn + 1> ends{};  // each segment's end in bytes
  };
  static_assert(kMostOwn <= RecordTemplates::kMostPlaces);
  // The longest line of digits written from a record made once: its digits are two words at
  // most.
  static constexpr std::size_t kLongestTemplated = 16;
  // What is kept of each answer, by its number: what it says, its result field, and the
  // segments its last line used, by their key (most lines with an answer have the same).
  struct Known {
    const fields::AnswerFields* said = nullptr;
    std::string_view result;  // the answer's tail
    std::uint32_t number = 0;
    std::uint32_t lastKey = 0;  // 0: none yet
    std::uint32_t lastSegments = 0;
  };

  // What a record's fields are made of.
  struct Line {
    std::string_view written;
    bool digits;  // written and number are the same ASCII digits, in a padded buffer
    std::optional<std::string_view> number;
    const NumberSplit& split;
  };

  // Writes segment `first` and then each own field from `first` to `last` with the segment after
  // it, for the line's answer `known`.
  void WriteRecord(const Line& line, Known& known, std::size_t first, std::size_t last);
  const Segments& SegmentsFor(const Line& line, Known& known);
  void MakeSegments(const Line& line, const Known& known, Segments& made);
  const RecordTemplates::Head& MakeTemplate(std::string_view digits, const AnswerBuffer& answer,
                                            const Hint& hint);
  char* WriteEscaped(std::string_view text, char* out) const;
  char* WritePlain(std::string_view text, char* out) const;
  Known& KnownFor(const AnswerBuffer& answer, std::uint32_t hash) {
    const AnswerCache::Entry entry = answers_.EntryOf(answer, hash);
    Known& known = known_[entry.number];
    known.result = entry.tail;
    return known;
  }

  std::vector<Field> fields_;
  std::vector<Own> own_;  // in the order of the fields
  std::size_t inputAt_;   // the input's place among own_; own_.size() when not chosen
  OutputFormat format_;
  TextEncoding encoding_;
  bool guardFormulas_;
  FieldBytes inputBytes_;  // how the input is written
  OutputBuffer& output_;
  RenderedWords words_;
  std::vector<std::string_view> chargeAreaWords_, holderWords_;  // by number; null: not yet
  std::vector<Known> known_;
  std::vector<Segments> segments_;
  RecordTemplates templates_;  // records of lines of digits
  // Segments by answer number (high half) and split key (low half).
  std::unordered_map<std::uint64_t, std::uint32_t> segmentsByKey_;
  AnswerCache answers_;     // numbers the answers; their tails are the result field
  AnswerBuffer unknown_{};  // the answer for no number, which the fields before a long input hold
  bool piecesStarted_ = false;  // a long line's first piece is written
};

}  // namespace kobal::lookup
