// The first record settles the layout: the header, the chosen columns and the record width.
#include "lookup/records/RecordAnswerer.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

namespace kobal::lookup {
namespace {

std::optional<std::size_t> ColumnNumber(std::string_view text) {
  std::size_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc{} || end != text.data() + text.size() || number == 0) return std::nullopt;
  return number - 1;
}

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lowered;
}

std::string Trimmed(std::string_view text) {
  const auto start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos) return "";
  return std::string(text.substr(start, text.find_last_not_of(" \t") - start + 1));
}

std::string ListOfNames(std::span<const Cell> header) {
  std::string names;
  for (const Cell& cell : header) names += (names.empty() ? "" : ", ") + cell.text;
  return names;
}

}  // namespace

char GuessDelimiter(std::string_view firstLine) {
  std::size_t tabs = 0;
  std::size_t commas = 0;
  std::size_t semicolons = 0;
  bool quoted = false;
  for (const char c : firstLine) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    tabs += c == '\t';
    commas += c == ',';
    semicolons += c == ';';
  }
  if (tabs > commas && tabs >= semicolons && tabs > 0) return '\t';
  if (semicolons > commas) return ';';
  return ',';
}

std::vector<std::size_t> TelephoneColumns(std::span<const Cell> header) {
  static constexpr std::array<std::string_view, 12> kNames = {
      "電話", "tel",   "ｔｅｌ", "ＴＥＬ", "fax",    "ＦＡＸ",
      "携帯", "phone", "mobile", "℡",      "連絡先", "番号"};
  std::vector<std::size_t> found;
  for (const std::string_view name : kNames) {
    for (std::size_t i = 0; i < header.size(); ++i) {
      if (Lowered(header[i].text).find(name) != std::string::npos &&
          std::find(found.begin(), found.end(), i) == found.end()) {
        found.push_back(i);
      }
    }
  }
  return found;
}

RecordAnswerer::RecordAnswerer(RecordOptions options, RowSink& sink,
                               std::function<void(const std::string&)> warn)
    : options_(std::move(options)),
      sink_(sink),
      warn_(std::move(warn)),
      cells_(options_.raw, options_.fields) {}

std::string_view RecordAnswerer::RecordEnd() const {
  return reader_ ? reader_->RecordEnd() : std::string_view();
}

void RecordAnswerer::Start(std::string_view firstText) {
  const std::string_view firstLine = firstText.substr(0, firstText.find_first_of("\r\n"));
  delimiter_ = options_.delimiter != '\0' ? options_.delimiter : GuessDelimiter(firstLine);
  reader_.emplace(delimiter_);
}

void RecordAnswerer::Feed(std::string_view text, bool final) {
  if (!reader_) {
    waiting_.append(text);
    if (!final && waiting_.find_first_of("\r\n") == std::string::npos && waiting_.size() < 65536) {
      return;
    }
    Start(waiting_);
    reader_->Feed(waiting_, final);
    waiting_.clear();
    waiting_.shrink_to_fit();
  } else {
    reader_->Feed(text, final);
  }
  Record record;
  while (reader_->Next(record)) Answer(record);
}

void RecordAnswerer::FirstRecord(const Record& record) {
  width_ = record.cells.size();
  std::vector<std::size_t> numbers;
  bool byName = false;
  for (const std::string& column : options_.columns) {
    if (const auto number = ColumnNumber(column)) {
      numbers.push_back(*number);
    } else {
      byName = true;
    }
  }
  header_ =
      options_.header == HeaderRow::kPresent || (options_.header == HeaderRow::kAuto && byName);
  if (byName && options_.header == HeaderRow::kAbsent) {
    throw ColumnError("columns are named only from a header row: give their numbers");
  }
  for (const std::string& column : options_.columns) {
    if (const auto number = ColumnNumber(column)) {
      chosen_.push_back(*number);
      continue;
    }
    std::vector<std::size_t> matches;
    for (std::size_t i = 0; i < record.cells.size(); ++i) {
      if (Trimmed(record.cells[i].text) == Trimmed(column)) matches.push_back(i);
    }
    if (matches.empty()) {
      throw ColumnError("no column named '" + column +
                        "'; the header has: " + ListOfNames(record.cells));
    }
    if (matches.size() > 1) {
      throw ColumnError("the header names " + std::to_string(matches.size()) + " columns '" +
                        column + "' (columns " + std::to_string(matches[0] + 1) + " and " +
                        std::to_string(matches[1] + 1) + "): choose one by its number");
    }
    chosen_.push_back(matches[0]);
  }
  if (options_.header == HeaderRow::kAuto && !byName) {
    // Numbered columns: the first record is a header unless a chosen cell holds a number.
    header_ = true;
    for (const std::size_t column : chosen_) {
      if (column < record.cells.size() && cells_.Answer(record.cells[column].text, false).number) {
        header_ = false;
      }
    }
  }
  for (const std::size_t column : chosen_) width_ = std::max(width_, column + 1);
}

void RecordAnswerer::Answer(Record& record) {
  const bool first = first_;
  if (first_) {
    FirstRecord(record);
    first_ = false;
  }
  const std::string where =
      "record " + std::to_string(record.number) + " (line " + std::to_string(record.line) + ")";
  if (!record.problem.empty()) warn_(where + ": " + record.problem);
  if (record.cells.size() > width_) {
    warn_(where + " has " + std::to_string(record.cells.size()) + " cells, more than the " +
          std::to_string(width_) + " of the first: its answers follow its own cells");
  }
  row_.clear();
  for (Cell& cell : record.cells) row_.push_back(std::move(cell.text));
  if (row_.size() < width_) row_.resize(width_);
  const bool header = first && header_;
  bool missingTold = false;
  for (const std::size_t column : chosen_) {
    if (header) {
      const std::string name = column < record.cells.size() && !row_[column].empty()
                                   ? row_[column]
                                   : std::to_string(column + 1);
      for (const Field field : options_.fields)
        row_.push_back(name + ":" + std::string(FieldName(field)));
      continue;
    }
    const bool missing = column >= record.cells.size();
    if (missing && !missingTold) {
      warn_(where + " has " + std::to_string(record.cells.size()) + " cells, no cell " +
            std::to_string(column + 1) + ": answered as an empty cell");
      missingTold = true;  // once a record
    }
    CellAnswer answer = cells_.Answer(missing ? "" : std::string_view(row_[column]), missing);
    for (std::string& cell : answer.cells) row_.push_back(std::move(cell));
  }
  sink_.Row(row_, header, record.number);
}

}  // namespace kobal::lookup
