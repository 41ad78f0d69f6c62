// Cells are answered one at a time: records are for lists, not for the millions of lines the
// line-by-line path is made fast for.
#include "lookup/records/CellAnswer.h"

#include <array>
#include <utility>
#include <vector>

namespace kobal::lookup {
namespace {

// What people put between two numbers in one cell.
constexpr std::array<std::string_view, 9> kBetweenNumbers = {"\r\n", "\n", "\r", "、", "，",
                                                             ",",    ";",  "；", "／"};

std::vector<std::string_view> SplitParts(std::string_view cell) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < cell.size()) {
    std::size_t matched = 0;
    for (const std::string_view separator : kBetweenNumbers) {
      if (cell.substr(i).starts_with(separator)) {
        matched = separator.size();
        break;
      }
    }
    if (matched == 0) {
      ++i;
      continue;
    }
    parts.push_back(cell.substr(start, i - start));
    i += matched;
    start = i;
  }
  parts.push_back(cell.substr(start));
  return parts;
}

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(" \t") == std::string_view::npos;
}

}  // namespace

CellAnswerer::CellAnswerer(bool raw, std::vector<Field> fields)
    : raw_(raw), fields_(std::move(fields)), answerer_(raw) {}

CellAnswerer::Part CellAnswerer::AnswerOne(std::string_view text) {
  Part part{answerer_.Answer(text).status, {}};
  for (const Field field : fields_) part.cells.emplace_back(answerer_.Text(field, text));
  return part;
}

CellAnswerer::Part CellAnswerer::NoText(AnswerStatus status, std::string_view text) {
  answerer_.Missing();
  Part part{status, {}};
  for (const Field field : fields_) {
    part.cells.emplace_back(field == Field::kStatus ? StatusName(status)
                                                    : answerer_.Text(field, text));
  }
  return part;
}

CellAnswer CellAnswerer::Answer(std::string_view cell, bool missing) {
  std::vector<Part> parts;
  if (missing) {
    parts.push_back(NoText(AnswerStatus::kMissing, ""));
  } else if (IsBlank(cell)) {
    parts.push_back(NoText(AnswerStatus::kEmpty, cell));
  } else {
    Part whole = AnswerOne(cell);
    if (whole.status == AnswerStatus::kNumber || raw_) {
      parts.push_back(std::move(whole));
    } else {
      for (const std::string_view text : SplitParts(cell)) {
        if (!IsBlank(text)) parts.push_back(AnswerOne(text));
      }
      bool anyNumber = false;
      for (const Part& part : parts) anyNumber |= part.status == AnswerStatus::kNumber;
      if (!anyNumber) parts.assign(1, std::move(whole));  // text, not a list of numbers
    }
  }
  CellAnswer answer{std::vector<std::string>(fields_.size()),
                    parts.front().status == AnswerStatus::kNumber};
  for (std::size_t i = 0; i < parts.size(); ++i) {
    for (std::size_t field = 0; field < fields_.size(); ++field) {
      if (i > 0) answer.cells[field] += '\n';
      answer.cells[field] += parts[i].cells[field];
    }
  }
  return answer;
}

}  // namespace kobal::lookup
