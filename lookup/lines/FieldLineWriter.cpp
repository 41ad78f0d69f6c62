// A record of chosen fields is the answer's segments with the line's own fields between them. A
// segment holds the separators, names and words of the fields between two own fields, made when
// an answer is first met with these words; a line copies them in whole pieces.
#include "lookup/lines/FieldLineWriter.h"

#include <cstring>
#include <string>
#include <utility>

#include "lookup/PaddedBuffer.h"

namespace kobal::lookup {
namespace {

char* Append(char* out, std::string_view bytes) {
  std::memcpy(out, bytes.data(), bytes.size());
  return out + bytes.size();
}

constexpr std::size_t kPiece = 32;
// Quotes or "null", and the longest number written with hyphens.
constexpr std::size_t kOwnFraming = 24;

bool Same(std::string_view a, std::string_view b) {
  return a.data() == b.data() && a.size() == b.size();
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
    } else if (field == Field::kMa) {
      own_.push_back(Own::kMa);
      wordsOwned_ = true;
    } else if (field == Field::kCarrier) {
      own_.push_back(Own::kCarrier);
      wordsOwned_ = true;
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

FieldLineWriter::Known& FieldLineWriter::KnownFor(const AnswerBuffer& answer, std::uint32_t hash) {
  const AnswerCache::Entry entry = answers_.EntryOf(answer, hash);
  Known& known = known_[entry.number];
  known.result = entry.tail;
  return known;
}

void FieldLineWriter::MakeSegments(const Line& line, std::string_view result, Segments& made) {
  const AnswerStatus status = line.number ? AnswerStatus::kNumber : AnswerStatus::kNotANumber;
  const NumberFields& fields = line.fields;
  made.made = true;
  made.kind = fields.kind;
  made.prefecture = fields.prefecture;
  made.place = fields.place;
  made.region = fields.region;

  std::string& bytes = made.bytes;
  bytes.clear();
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
    if (field == Field::kInput || field == Field::kNumber || field == Field::kFormatted ||
        field == Field::kMa || field == Field::kCarrier) {
      made.ends[segment++] = static_cast<std::uint32_t>(bytes.size());
    } else if (field == Field::kResult) {
      bytes += result;
    } else {
      // The words of the line's fields: what FieldValue gives reads status and fields alone.
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

// ASCII digits and hyphens: the same bytes in every format and encoding, JSON's quotes around.
// Not padded: a number written with hyphens, read as one piece of sixteen bytes.
char* FieldLineWriter::WritePlain(std::string_view text, bool padded, char* out) const {
  const bool json = format_ == OutputFormat::kJsonLines;
  if (json) *out++ = '"';
  if (padded) {
    out = PaddedBuffer::CopyInPieces<kPiece>(out, text);
  } else {
    static_assert(sizeof(NumberFields::formattedBytes) == 16);
    out = PaddedBuffer::CopyInPieces<16>(out, text);
  }
  if (json) *out++ = '"';
  return out;
}

void FieldLineWriter::WriteRecord(const Line& line, Known& known, std::size_t first,
                                  std::size_t last) {
  const NumberFields& fields = line.fields;
  Segments& made = known.segments[line.number ? 1 : 0];
  // Every word the segments hold, compared at once.
  const bool same = made.made && made.kind == fields.kind &&
                    Same(made.prefecture, fields.prefecture) & Same(made.place, fields.place) &
                        Same(made.region, fields.region);
  if (!same) MakeSegments(line, known.result, made);

  const std::string_view number = line.number.value_or("");
  const char* const segments = made.bytes.data();
  const std::size_t begin = first == 0 ? 0 : made.ends[first - 1];
  const std::string_view ma = wordsOwned_ ? words_.Field(fields.ma) : std::string_view();
  const std::string_view carrier = wordsOwned_ ? words_.Field(fields.carrier) : std::string_view();
  char* out = output_.Reserve(made.ends[last] - begin + MaxEscapedSize(line.written.size()) +
                              MaxEscapedSize(number.size()) + ma.size() + carrier.size() +
                              kOwnFraming * own_.size());
  out = PaddedBuffer::CopyInPieces<kPiece>(out, {segments + begin, made.ends[first] - begin});
  for (std::size_t j = first; j < last; ++j) {
    switch (own_[j]) {
      case Own::kInput:
        out = line.digits ? WritePlain(line.written, true, out) : WriteEscaped(line.written, out);
        break;
      case Own::kNumber:
        if (!line.number) {
          out = Append(out, words_.Field(""));
        } else {
          out = line.digits ? WritePlain(number, true, out) : WriteEscaped(number, out);
        }
        break;
      case Own::kFormatted: {
        const std::string_view formatted = fields.Formatted();
        // The text lies in the sixteen bytes of formattedBytes: one piece.
        out = formatted.empty() ? PaddedBuffer::CopyInPieces<kPiece>(out, words_.Field(""))
                                : WritePlain(formatted, false, out);
        break;
      }
      case Own::kMa:
        out = PaddedBuffer::CopyInPieces<kPiece>(out, ma);
        break;
      case Own::kCarrier:
        out = PaddedBuffer::CopyInPieces<kPiece>(out, carrier);
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
  const NumberFields fields = number ? DescribeNumber(*number, known.said) : NumberFields{};
  WriteRecord({written, false, number, fields}, known, 0, own_.size());
}

void FieldLineWriter::WriteDigits(std::string_view digits, const AnswerBuffer& answer,
                                  std::uint32_t hash) {
  Known& known = KnownFor(answer, hash);
  const NumberFields fields = DescribeNumber(digits, known.said);
  WriteRecord({digits, true, digits, fields}, known, 0, own_.size());
}

void FieldLineWriter::BeginPieces() {
  piecesStarted_ = false;
  if (inputAt_ == own_.size()) return;  // every field is written at the end
  const NumberFields none{};
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
  const NumberFields none{};
  Known& known = KnownFor(answer, answers_.Prefetch(answer));
  WriteRecord({"", false, std::nullopt, none}, known, input ? inputAt_ + 1 : 0, own_.size());
}

}  // namespace kobal::lookup
