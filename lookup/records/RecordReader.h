// Splits delimited text (UTF-8) into records of cells as RFC 4180 reads them, fed a chunk at a
// time: quoted cells may hold the delimiter, doubled quotes, CR, LF or CRLF; a record ends at CR,
// LF or CRLF outside quotes, whichever the file uses.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace kobal::lookup {

struct Cell {
  std::string text;
  bool quoted = false;  // written between quotes in the input
};

struct Record {
  std::vector<Cell> cells;
  std::size_t number = 0;  // 1-based, in input order
  std::size_t line = 0;    // the line it starts on, 1-based
  // What was wrong with its quoting (empty when nothing): the record is still answered, its
  // cells read as the text stood.
  std::string problem;
};

class RecordReader {
 public:
  explicit RecordReader(char delimiter) : delimiter_(delimiter) {}

  // Reads `text`; `final` ends the input, and a last record without a record end counts.
  void Feed(std::string_view text, bool final);

  // The next whole record read so far.
  bool Next(Record& record);

  // The first record end met outside quotes ("\r\n", "\n" or "\r"); empty before one.
  std::string_view RecordEnd() const { return recordEnd_; }

 private:
  enum class State { kCellStart, kUnquoted, kQuoted, kQuoteInQuoted, kAfterCr };
  void EndCell();
  void EndRecord();
  void EndRecordAt(char end);
  void NoteProblem(const char* what);

  char delimiter_;
  State state_ = State::kCellStart;
  Record current_;
  Cell cell_;
  bool recordStarted_ = false;
  std::size_t records_ = 0;
  std::size_t line_ = 1;
  bool crPending_ = false;      // a CR was the last character, and an LF may follow
  std::string_view recordEnd_;  // one of three literals
  std::deque<Record> ready_;
};

}  // namespace kobal::lookup
