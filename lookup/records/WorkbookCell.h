// What a workbook's cell holds and how wide its column is: the same in kobal-lookup's workbooks
// and the web page's, whichever writes the file.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kobal::lookup {

// Characters a cell of Excel holds at most, counted as Excel counts them: one beyond U+FFFF is
// two (UTF-16 code units).
inline constexpr std::size_t kMaxCellCharacters = 32767;

// The text the cell holds for `text`: a NUL (which the workbook's XML cannot hold) as U+FFFD, and
// a text over Excel's limit cut to it, ending in "…", which `warn` tells of, naming the 1-based
// `record` and 0-based `column`.
std::string WorkbookCellText(std::string_view text, std::size_t record, std::size_t column,
                             const std::function<void(const std::string&)>& warn);

// How many character widths `text` takes in a spreadsheet's cell: Japanese characters take two;
// a cell of several lines is as wide as its widest.
std::size_t DisplayWidth(std::string_view text);

// The widths of a sheet's columns, in characters, from the cells written in them.
class ColumnWidths {
 public:
  void Widen(std::size_t column, std::string_view cell);
  void Reset(std::size_t columns) { widest_.assign(columns, 0); }
  std::size_t size() const { return widest_.size(); }
  // The width to give column `column`: room for its widest cell, within bounds.
  double Width(std::size_t column) const;

 private:
  std::vector<std::size_t> widest_;  // display widths
};

}  // namespace kobal::lookup
