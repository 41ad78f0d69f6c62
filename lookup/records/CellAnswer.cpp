// Cells are answered one at a time: records are for lists, not for the millions of lines the
// line-by-line path is made fast for.
#include "lookup/records/CellAnswer.h"

#include <array>
#include <vector>

#include "encodings/Cp932.h"

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

std::string AsUtf8(const AnswerBuffer& answer) {
  std::string text;
  AppendCp932AsUtf8(answer.data(), true, text);
  return text;
}

}  // namespace

CellAnswerer::CellAnswerer(bool raw) : raw_(raw) {
  AskLibrary("", answer_);
  unknown_ = AsUtf8(answer_);
}

CellAnswerer::Part CellAnswerer::AnswerOne(std::string_view text) {
  text_.assign(text);  // followed by its NUL for the raw lookup
  const auto number = NumberToAsk(text_, text_, raw_, digits_);
  if (!number) return {"", AnswerStatus::kNotANumber, unknown_};
  std::string digits(*number);
  AskLibrary(digits.c_str(), answer_);
  return {std::move(digits), AnswerStatus::kNumber, AsUtf8(answer_)};
}

CellAnswer CellAnswerer::Answer(std::string_view cell, bool missing) {
  if (missing) return {"", std::string(StatusName(AnswerStatus::kMissing)), unknown_};
  if (IsBlank(cell)) return {"", std::string(StatusName(AnswerStatus::kEmpty)), unknown_};
  Part whole = AnswerOne(cell);
  std::vector<Part> parts;
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
  CellAnswer answer;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) {
      answer.number += '\n';
      answer.status += '\n';
      answer.result += '\n';
    }
    answer.number += parts[i].number;
    answer.status += StatusName(parts[i].status);
    answer.result += parts[i].result;
  }
  return answer;
}

}  // namespace kobal::lookup
