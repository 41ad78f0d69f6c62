// Answers chosen columns of delimited records: every record is given on as it was, its cells
// followed by a cell for each chosen field of each chosen column (by default number, status and
// result; their names in the header row).
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/records/CellAnswer.h"
#include "lookup/records/RecordOptions.h"
#include "lookup/records/RecordReader.h"

namespace kobal::lookup {

// A column that cannot be chosen: a name the header does not hold, or holds twice.
class ColumnError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Where the answered records go.
class RowSink {
 public:
  virtual ~RowSink() = default;
  // `record` is the input record's number; the header row is record 1 when there is one.
  virtual void Row(std::span<const std::string> cells, bool header, std::size_t record) = 0;
};

class RecordAnswerer {
 public:
  // `warn` gets a line for each record whose answers are not what they seem (its quoting is
  // broken, it lacks a chosen cell, it has more cells than the first). Of `options` it reads
  // the columns, delimiter, header and raw; the rest are the stream's (RecordStream).
  RecordAnswerer(RecordOptions options, RowSink& sink,
                 std::function<void(const std::string&)> warn);

  // Reads UTF-8 text; `final` ends the input. Throws ColumnError on the header.
  void Feed(std::string_view text, bool final);

  // Known once the first record is read.
  char Delimiter() const { return delimiter_; }
  std::string_view RecordEnd() const;

 private:
  void Start(std::string_view firstText);
  void Answer(Record& record);
  void FirstRecord(const Record& record);

  RecordOptions options_;
  RowSink& sink_;
  std::function<void(const std::string&)> warn_;
  CellAnswerer cells_;
  std::optional<RecordReader> reader_;
  std::string waiting_;  // text before the first line end, to settle the delimiter
  char delimiter_ = ',';
  bool header_ = false;
  bool first_ = true;
  std::size_t width_ = 0;  // the first record's cells: shorter records are padded to it
  std::vector<std::size_t> chosen_;
  std::vector<std::string> row_;
};

// The delimiter a file's first line suggests: a tab when it holds more tabs than commas and
// semicolons, a semicolon when more of those, else a comma.
char GuessDelimiter(std::string_view firstLine);

// The header cells named like a telephone column (電話番号, TEL, FAX, 携帯, phone ...), 0-based,
// in order; the first of them is the usual choice.
std::vector<std::size_t> TelephoneColumns(std::span<const Cell> header);

}  // namespace kobal::lookup
