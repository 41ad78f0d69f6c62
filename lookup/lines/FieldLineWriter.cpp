// A record of chosen fields is the segments of its answer and split with the line's own fields
// between them. A segment holds the separators, names and words of the fields between two own
// fields, made when an answer is first met with a split; a line copies them in whole pieces.
#include "lookup/lines/FieldLineWriter.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "fields/AnswerTable.h"
#include "lookup/PaddedBuffer.h"

namespace kobal::lookup {
namespace {

char* Append(char* out, std::string_view bytes) {
  std::memcpy(out, bytes.data(), bytes.size());
  return out + bytes.size();
}

constexpr std::size_t kPiece = 32;
constexpr std::size_t kRecordPiece = 64;  // most records made once are two

// Copies a line's digits, 1 to 16, writing no byte past them.
void CopyDigits(char* to, std::string_view digits) {
  const std::size_t size = digits.size();
  if (size < 8) return fields::CopyPart(to, digits.data(), size);
  std::uint64_t head;
  std::uint64_t tail;
  std::memcpy(&head, digits.data(), sizeof head);
  std::memcpy(&tail, digits.data() + size - 8, sizeof tail);
  std::memcpy(to, &head, sizeof head);
  std::memcpy(to + size - 8, &tail, sizeof tail);
}

// Quotes or "null", and the longest number written with hyphens.
constexpr std::size_t kOwnFraming = 24;

// What of a line's split its segments' words depend on, and whether it is a number at all;
// never 0.
std::uint32_t SplitKey(bool number, const NumberSplit& split) {
  return 1u | (number ? 2u : 0u) | WordsKey(split) << 2;
}

}  // namespace

FieldLineWriter::FieldLineWriter(std::vector<Field> fields, OutputFormat format,
                                 TextEncoding encoding, OutputBuffer& output, bool guardFormulas)
    : fields_(std::move(fields)),
      format_(format),
      encoding_(encoding),
      guardFormulas_(guardFormulas),
      output_(output),
      words_([this](std::string_view word) {
        const bool sjis = encoding_ == TextEncoding::kShiftJis;
        if (word.empty()) return std::string(format_ == OutputFormat::kJsonLines ? "null" : "");
        std::string field(MaxEscapedSize(word.size()), '\0');
        char* const start = field.data();
        char* end = start;
        switch (format_) {
          case OutputFormat::kTsv:
            end = WriteTsvField(word, sjis ? FieldBytes::kShiftJis : FieldBytes::kKept, start);
            break;
          case OutputFormat::kCsv:
            end = WriteCsvCell(word, sjis ? FieldBytes::kShiftJis : FieldBytes::kUtf8,
                               {.guardFormulas = guardFormulas_}, start);
            break;
          case OutputFormat::kJsonLines:
            end = WriteJsonString(word, start);
            break;
        }
        field.resize(static_cast<std::size_t>(end - start));
        return field;
      }),
      answers_([this](std::string_view answer) {
        Known& known = known_.emplace_back();
        known.said = ReadAnswer(answer);
        known.number = static_cast<std::uint32_t>(known_.size() - 1);
        if (answer.empty() && format_ == OutputFormat::kJsonLines) return std::string("null");
        return AnswerField(answer, format_, encoding_);
      }) {
  inputAt_ = fields_.size();
  for (const Field field : fields_) {
    if (field == Field::kInput) {
      inputAt_ = own_.size();
      own_.push_back(Own::kInput);
    } else if (field == Field::kNumber) {
      own_.push_back(Own::kNumber);
    } else if (field == Field::kFormatted) {
      own_.push_back(Own::kFormatted);
    }
  }
  if (inputAt_ == fields_.size()) inputAt_ = own_.size();
  if (encoding == TextEncoding::kShiftJis) {
    inputBytes_ = FieldBytes::kShiftJis;
  } else {
    inputBytes_ = format == OutputFormat::kTsv ? FieldBytes::kKept : FieldBytes::kUtf8;
  }
  AskLibrary("", unknown_);
}

const FieldLineWriter::Segments& FieldLineWriter::SegmentsFor(const Line& line, Known& known) {
  const std::uint32_t key = SplitKey(line.number.has_value(), line.split);
  if (key != known.lastKey) {
    const std::uint64_t both = std::uint64_t{known.number} << 32 | key;
    const auto [found, added] =
        segmentsByKey_.try_emplace(both, static_cast<std::uint32_t>(segments_.size()));
    if (added) MakeSegments(line, known, segments_.emplace_back());
    known.lastKey = key;
    known.lastSegments = found->second;
  }
  return segments_[known.lastSegments];
}

void FieldLineWriter::MakeSegments(const Line& line, const Known& known, Segments& made) {
  const AnswerStatus status = line.number ? AnswerStatus::kNumber : AnswerStatus::kNotANumber;
  // The words of the split, as DescribeNumber gives them for the line's number.
  const NumberFields fields =
      line.number ? DescribeNumber(*line.number, known.said) : NumberFields{};
  std::string& bytes = made.bytes;
  std::size_t segment = 0;
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    const Field field = fields_[i];
    if (format_ == OutputFormat::kJsonLines) {
      bytes += i == 0 ? "{\"" : ",\"";
      bytes += FieldName(field);
      bytes += "\":";
    } else if (i > 0) {
      bytes += format_ == OutputFormat::kCsv ? ',' : '\t';
    }
    if (field == Field::kInput || field == Field::kNumber || field == Field::kFormatted) {
      made.ends[segment++] = static_cast<std::uint32_t>(bytes.size());
    } else if (field == Field::kResult) {
      bytes += known.result;
    } else {
      // What FieldValue gives reads status and fields alone.
      bytes += words_.Field(FieldValue(field, status, {}, fields));
    }
  }
  switch (format_) {
    case OutputFormat::kTsv:
      bytes += '\n';
      break;
    case OutputFormat::kCsv:
      bytes += "\r\n";
      break;
    case OutputFormat::kJsonLines:
      bytes += "}\n";
      break;
  }
  made.ends[segment] = static_cast<std::uint32_t>(bytes.size());
  bytes.resize(PaddedBuffer::Padded(bytes.size()));
}

char* FieldLineWriter::WriteEscaped(std::string_view text, char* out) const {
  switch (format_) {
    case OutputFormat::kTsv:
      return WriteTsvField(text, inputBytes_, out);
    case OutputFormat::kCsv:
      return WriteCsvCell(text, inputBytes_, {.guardFormulas = guardFormulas_}, out);
    case OutputFormat::kJsonLines:
      return WriteJsonString(text, out);
  }
  return out;
}

// ASCII digits: the same bytes in every format and encoding, JSON's quotes around.
char* FieldLineWriter::WritePlain(std::string_view text, char* out) const {
  const bool json = format_ == OutputFormat::kJsonLines;
  if (json) *out++ = '"';
  out = PaddedBuffer::CopyInPieces<kPiece>(out, text);
  if (json) *out++ = '"';
  return out;
}

void FieldLineWriter::WriteRecord(const Line& line, Known& known, std::size_t first,
                                  std::size_t last) {
  const Segments& made = SegmentsFor(line, known);
  const std::string_view number = line.number.value_or("");
  const char* const segments = made.bytes.data();
  const std::size_t begin = first == 0 ? 0 : made.ends[first - 1];
  char* out = output_.Reserve(made.ends[last] - begin + MaxEscapedSize(line.written.size()) +
                              MaxEscapedSize(number.size()) + kOwnFraming * own_.size());
  out = PaddedBuffer::CopyInPieces<kPiece>(out, {segments + begin, made.ends[first] - begin});
  for (std::size_t j = first; j < last; ++j) {
    switch (own_[j]) {
      case Own::kInput:
        out = line.digits ? WritePlain(line.written, out) : WriteEscaped(line.written, out);
        break;
      case Own::kNumber:
        if (!line.number) {
          out = Append(out, words_.Field(""));
        } else {
          out = line.digits ? WritePlain(number, out) : WriteEscaped(number, out);
        }
        break;
      case Own::kFormatted:
        if (!line.split.formatted) {
          out = Append(out, words_.Field(""));
        } else {
          // Digits and hyphens, written where they go.
          const bool json = format_ == OutputFormat::kJsonLines;
          if (json) *out++ = '"';
          out = WriteFormatted(number, line.split, out);
          if (json) *out++ = '"';
        }
        break;
    }
    out = PaddedBuffer::CopyInPieces<kPiece>(
        out, {segments + made.ends[j], made.ends[j + 1] - made.ends[j]});
  }
  output_.Commit(out);
}

void FieldLineWriter::Write(std::string_view written, std::optional<std::string_view> number,
                            const AnswerBuffer& answer) {
  Known& known = KnownFor(answer, answers_.Prefetch(answer));
  const NumberSplit split = number ? SplitNumber(*number, known.said) : NumberSplit{};
  WriteRecord({written, false, number, split}, known, 0, own_.size());
}

const RecordTemplates::Head& FieldLineWriter::MakeTemplate(std::string_view digits,
                                                           const AnswerBuffer& answer,
                                                           const Hint& hint) {
  Known& known = KnownFor(answer, hint.answerHash);
  const std::size_t size = digits.size();
  const NumberSplit split =
      fields::SplitShape(fields::ShapeOf({digits.data(), size}), size, known.said);
  const Segments& made = SegmentsFor({digits, true, digits, split}, known);
  const std::size_t last = own_.size();
  const bool json = format_ == OutputFormat::kJsonLines;
  RecordTemplates::Head head;
  head.answer = answer;
  head.key = hint.key;
  head.first = split.first;
  head.second = split.second;
  std::string bytes(made.ends[last] + last * (size + 4), '\0');
  char* const start = bytes.data();
  std::size_t places = 0;
  std::array<char*, RecordTemplates::kMostPlaces> digitsAt{};
  char* out = Append(start, {made.bytes.data(), made.ends[0]});
  for (std::size_t j = 0; j < last; ++j) {
    if (own_[j] != Own::kFormatted || (split.formatted && split.first == 0)) {
      if (json) *out++ = '"';
      digitsAt[places++] = out;  // formatted as it is: the digits
      out = Append(out, digits);
      if (json) *out++ = '"';
    } else if (split.formatted) {
      if (json) *out++ = '"';
      head.splitAt = static_cast<std::uint16_t>(out - start);
      out = WriteFormatted(digits, split, out);
      if (json) *out++ = '"';
    } else {
      out = Append(out, words_.Field({}));
    }
    out = Append(out, {made.bytes.data() + made.ends[j], made.ends[j + 1] - made.ends[j]});
  }
  bytes.resize(static_cast<std::size_t>(out - start));
  head.size = static_cast<std::uint16_t>(bytes.size());
  for (std::size_t i = 0; i < head.digitsAt.size(); ++i) {
    head.digitsAt[i] = static_cast<std::uint16_t>(i < places ? digitsAt[i] - start : head.size);
  }
  return templates_.Add(head, bytes, hint.hash);
}

// The common line, on a path of its own: digits need no escaping, so a line of digits of one
// length with one answer and split is the same record but for the digits, made once; the
// record is found by what the split depends on, so that a line it serves is not split.
void FieldLineWriter::WriteDigits(std::string_view digits, const AnswerBuffer& answer,
                                  const Hint& hint) {
  const std::size_t size = digits.size();
  if (hint.key == 0) {
    Known& known = KnownFor(answer, hint.answerHash);
    const NumberSplit split = SplitNumber(digits, known.said);
    return WriteRecord({digits, true, digits, split}, known, 0, own_.size());
  }
  const RecordTemplates::Head* found = templates_.Find(answer, hint);
  const RecordTemplates::Head& made =
      found != nullptr ? *found : MakeTemplate(digits, answer, hint);
  char* const out = output_.Reserve(made.size);
  PaddedBuffer::CopyInPieces<kRecordPiece>(out, {made.Bytes(), made.size});
  static_assert(RecordTemplates::kMostPlaces == 3 && kLongestTemplated <= 16 &&
                PaddedBuffer::Covers(kLongestTemplated));
  CopyDigits(out + made.digitsAt[0], digits);
  CopyDigits(out + made.digitsAt[1], digits);
  CopyDigits(out + made.digitsAt[2], digits);
  if (made.splitAt != RecordTemplates::kNowhere) {
    fields::WriteSplitFromWords(digits.data(), size, made.first, made.second, out + made.splitAt);
  }
  output_.Commit(out + made.size);
}

void FieldLineWriter::BeginPieces() {
  piecesStarted_ = false;
  if (inputAt_ == own_.size()) return;  // every field is written at the end
  const NumberSplit none{};
  Known& known = KnownFor(unknown_, answers_.Prefetch(unknown_));
  WriteRecord({"", false, std::nullopt, none}, known, 0, inputAt_);
  if (format_ != OutputFormat::kTsv) {
    char* out = output_.Reserve(1);
    *out++ = '"';  // quoted, whatever the pieces hold
    output_.Commit(out);
  }
}

void FieldLineWriter::WritePiece(std::string_view text) {
  if (inputAt_ == own_.size()) return;
  char* out = output_.Reserve(MaxEscapedSize(text.size()) + 1);
  if (format_ == OutputFormat::kCsv && guardFormulas_ && !piecesStarted_ &&
      LooksLikeFormula(text)) {
    *out++ = '\'';
  }
  piecesStarted_ = true;
  switch (format_) {
    case OutputFormat::kTsv:
      out = WriteTsvField(text, inputBytes_, out);
      break;
    case OutputFormat::kCsv:
      out = WriteCsvText(text, inputBytes_, out);
      break;
    case OutputFormat::kJsonLines:
      out = WriteJsonText(text, out);
      break;
  }
  output_.Commit(out);
}

void FieldLineWriter::EndPieces(const AnswerBuffer& answer) {
  const bool input = inputAt_ != own_.size();
  if (input && format_ != OutputFormat::kTsv) {
    char* out = output_.Reserve(1);
    *out++ = '"';
    output_.Commit(out);
  }
  const NumberSplit none{};
  Known& known = KnownFor(answer, answers_.Prefetch(answer));
  WriteRecord({"", false, std::nullopt, none}, known, input ? inputAt_ + 1 : 0, own_.size());
}

}  // namespace kobal::lookup
