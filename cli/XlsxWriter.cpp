// libxlsxwriter keeps a row in memory until the next begins; widths and filters are set last,
// when the rows have shown how wide the columns are.
#include "cli/XlsxWriter.h"

#include <stdexcept>

#include "cli/XlsxLibrary.h"

namespace kobal::cli {

XlsxWriter::XlsxWriter(const std::string& path, const WorkbookProvenance& provenance,
                       std::function<void(const std::string&)> warn, std::size_t rowsPerSheet)
    : xlsx_(LoadXlsxLibrary()),
      warn_(std::move(warn)),
      rowsPerSheet_(rowsPerSheet),
      provenanceTitle_(provenance.title),
      provenanceComments_(provenance.comments) {
  lxw_workbook_options options = {};
  options.constant_memory = LXW_TRUE;
  workbook_ = xlsx_.workbook_new_opt(path.c_str(), &options);
  if (workbook_ == nullptr) throw std::runtime_error(path + ": cannot begin the workbook");
  bold_ = xlsx_.workbook_add_format(workbook_);
  xlsx_.format_set_bold(bold_);
  xlsx_.format_set_num_format(bold_, "@");
  text_ = xlsx_.workbook_add_format(workbook_);
  xlsx_.format_set_num_format(text_, "@");
  lxw_doc_properties properties = {};
  properties.title = provenanceTitle_.data();
  properties.comments = provenanceComments_.data();
  properties.author = const_cast<char*>("kobal-lookup");
  properties.subject = const_cast<char*>("Japanese telephone numbers, as numbered in 2000");
  xlsx_.workbook_set_properties(workbook_, &properties);
}

XlsxWriter::~XlsxWriter() {
  if (workbook_ != nullptr)
    xlsx_.workbook_close(workbook_);  // only after a failure: Close was not called
}

void XlsxWriter::NewSheet() {
  if (sheet_ != nullptr) FinishSheet();
  const std::string name = "Sheet" + std::to_string(++sheets_);
  sheet_ = xlsx_.workbook_add_worksheet(workbook_, name.c_str());
  row_ = 0;
  widths_.Reset(columns_);
  if (!header_.empty()) {
    for (std::size_t i = 0; i < header_.size(); ++i) WriteCell(i, header_[i], bold_, 1);
    xlsx_.worksheet_freeze_panes(sheet_, 1, 0);
    row_ = 1;
  }
}

void XlsxWriter::FinishSheet() {
  for (std::size_t i = 0; i < widths_.size(); ++i) {
    xlsx_.worksheet_set_column(sheet_, static_cast<lxw_col_t>(i), static_cast<lxw_col_t>(i),
                               widths_.Width(i), text_);
  }
  if (!header_.empty() && row_ > 1 && columns_ > 0) {
    xlsx_.worksheet_autofilter(sheet_, 0, 0, static_cast<lxw_row_t>(row_ - 1),
                               static_cast<lxw_col_t>(columns_ - 1));
  }
}

void XlsxWriter::WriteCell(std::size_t column, const std::string& given, lxw_format* format,
                           std::size_t record) {
  const std::string text = lookup::WorkbookCellText(given, record, column, warn_);
  widths_.Widen(column, text);
  if (text.empty()) {
    if (format == bold_)
      xlsx_.worksheet_write_blank(sheet_, static_cast<lxw_row_t>(row_),
                                  static_cast<lxw_col_t>(column), format);
    return;
  }
  const lxw_error error = xlsx_.worksheet_write_string(
      sheet_, static_cast<lxw_row_t>(row_), static_cast<lxw_col_t>(column), text.c_str(), format);
  if (error != LXW_NO_ERROR) {
    throw std::runtime_error("record " + std::to_string(record) + ": " + xlsx_.lxw_strerror(error));
  }
}

void XlsxWriter::Row(std::span<const std::string> cells, bool header, std::size_t record) {
  columns_ = std::max(columns_, cells.size());
  if (header) {
    header_.assign(cells.begin(), cells.end());
    NewSheet();
    return;
  }
  if (sheet_ == nullptr) NewSheet();
  if (row_ == rowsPerSheet_) {
    warn_("record " + std::to_string(record) + " begins sheet " + std::to_string(sheets_ + 1) +
          ": a sheet holds at most " + std::to_string(rowsPerSheet_) + " rows");
    NewSheet();
  }
  for (std::size_t i = 0; i < cells.size(); ++i) WriteCell(i, cells[i], text_, record);
  ++row_;
}

void XlsxWriter::Close() {
  if (sheet_ == nullptr) NewSheet();  // an empty input: an empty workbook, still a workbook
  FinishSheet();
  lxw_workbook* const workbook = workbook_;
  workbook_ = nullptr;
  const lxw_error error = xlsx_.workbook_close(workbook);
  if (error != LXW_NO_ERROR) throw std::runtime_error(xlsx_.lxw_strerror(error));
}

}  // namespace kobal::cli
