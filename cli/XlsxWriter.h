// Writes answered records as an Excel workbook through libxlsxwriter in its constant-memory
// mode: rows go to disk as they come, so a list of any length takes the same memory.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "lookup/records/RecordAnswerer.h"
#include "lookup/records/WorkbookCell.h"

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace kobal::cli {

struct XlsxLibrary;

struct WorkbookProvenance {
  std::string title;     // the input's name
  std::string comments;  // what wrote it, from what
};

class XlsxWriter : public lookup::RowSink {
 public:
  // Excel's limit of rows of a sheet.
  static constexpr std::size_t kMaxRows = 1048576;

  // `rowsPerSheet` is Excel's limit except in tests. Throws std::runtime_error when the file
  // cannot be begun.
  XlsxWriter(const std::string& path, const WorkbookProvenance& provenance,
             std::function<void(const std::string&)> warn, std::size_t rowsPerSheet = kMaxRows);
  ~XlsxWriter() override;
  XlsxWriter(const XlsxWriter&) = delete;
  XlsxWriter& operator=(const XlsxWriter&) = delete;

  // Every cell is written as text: leading zeros stay, nothing becomes a formula.
  void Row(std::span<const std::string> cells, bool header, std::size_t record) override;

  // Sets the widths and filters and writes the file; throws std::runtime_error on failure.
  void Close();

 private:
  void NewSheet();
  void FinishSheet();
  void WriteCell(std::size_t column, const std::string& text, lxw_format* format,
                 std::size_t record);

  const XlsxLibrary& xlsx_;
  lxw_workbook* workbook_;
  lxw_worksheet* sheet_ = nullptr;
  lxw_format* bold_;
  lxw_format* text_;
  std::function<void(const std::string&)> warn_;
  std::size_t rowsPerSheet_;
  std::size_t row_ = 0;  // the next row of the sheet
  std::size_t sheets_ = 0;
  std::vector<std::string> header_;  // repeated at the top of every sheet
  std::size_t columns_ = 0;
  lookup::ColumnWidths widths_;  // of the sheet
  std::string provenanceTitle_;
  std::string provenanceComments_;
};

}  // namespace kobal::cli
