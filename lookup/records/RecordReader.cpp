// A byte at a time: delimiters, quotes, CR and LF are ASCII, so UTF-8 text needs no decoding.
#include "lookup/records/RecordReader.h"

namespace kobal::lookup {

void RecordReader::NoteProblem(const char* what) {
  if (!current_.problem.empty()) return;  // the first says where to look
  current_.problem = what;
}

void RecordReader::EndCell() {
  current_.cells.push_back(std::move(cell_));
  cell_ = Cell{};
  state_ = State::kCellStart;
}

// A record ended by CR or LF: after CR an LF may follow; an LF alone names the record end, unless
// an earlier record named it.
void RecordReader::EndRecordAt(char end) {
  EndRecord();
  if (end == '\r') {
    state_ = State::kAfterCr;
  } else if (recordEnd_.empty()) {
    recordEnd_ = "\n";
  }
}

void RecordReader::EndRecord() {
  EndCell();
  current_.number = ++records_;
  ready_.push_back(std::move(current_));
  current_ = Record{};
  recordStarted_ = false;
}

void RecordReader::Feed(std::string_view text, bool final) {
  for (const char c : text) {
    const bool lfOfCrlf = c == '\n' && crPending_;
    crPending_ = false;
    if (state_ == State::kAfterCr) {  // the end of the record before decides on what follows
      state_ = State::kCellStart;
      if (recordEnd_.empty()) recordEnd_ = lfOfCrlf ? "\r\n" : "\r";
      if (lfOfCrlf) continue;
    }
    if (!recordStarted_) {
      recordStarted_ = true;
      current_.line = line_;
    }
    if (c == '\r' || (c == '\n' && !lfOfCrlf)) ++line_;
    crPending_ = c == '\r';
    if (c == '\0') NoteProblem("a NUL byte (a file that is not text?)");
    switch (state_) {
      case State::kAfterCr:  // unreachable: settled above
      case State::kCellStart:
        if (c == '"') {
          cell_.quoted = true;
          state_ = State::kQuoted;
          break;
        }
        state_ = State::kUnquoted;
        [[fallthrough]];
      case State::kUnquoted:
        if (c == delimiter_) {
          EndCell();
        } else if (c == '\r' || c == '\n') {
          EndRecordAt(c);
        } else {
          if (c == '"') NoteProblem("a quote inside an unquoted cell");
          cell_.text += c;
        }
        break;
      case State::kQuoted:
        if (c == '"') {
          state_ = State::kQuoteInQuoted;
        } else {
          cell_.text += c;
        }
        break;
      case State::kQuoteInQuoted:
        if (c == '"') {  // a doubled quote
          cell_.text += c;
          state_ = State::kQuoted;
        } else if (c == delimiter_) {
          EndCell();
        } else if (c == '\r' || c == '\n') {
          EndRecordAt(c);
        } else {
          // Text after the closing quote: kept, as spreadsheets keep it.
          NoteProblem("text after a closing quote");
          cell_.text += c;
          state_ = State::kUnquoted;
        }
        break;
    }
  }
  if (!final) return;
  if (state_ == State::kAfterCr) {
    if (recordEnd_.empty()) recordEnd_ = "\r";
    state_ = State::kCellStart;
  }
  crPending_ = false;
  if (state_ == State::kQuoted) NoteProblem("a quote that is never closed");
  if (recordStarted_) EndRecord();
}

bool RecordReader::Next(Record& record) {
  if (ready_.empty()) return false;
  record = std::move(ready_.front());
  ready_.pop_front();
  return true;
}

}  // namespace kobal::lookup
