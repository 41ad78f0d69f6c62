// libxlsxwriter keeps a row in memory until the next begins; widths and filters are set last,
// when the rows have shown how wide the columns are.
#include "lookup/XlsxWriter.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <stdexcept>

#include "encodings/Utf8.h"

namespace kobal::lookup {
namespace {

constexpr double kWidestColumn = 60;
constexpr std::string_view kCutMark = "…";

// The first `count` characters of UTF-8 `text`.
std::string_view FirstCharacters(std::string_view text, std::size_t count) {
  const auto* const begin = reinterpret_cast<const unsigned char*>(text.data());
  const auto* p = begin;
  const auto* const end = p + text.size();
  for (std::size_t i = 0; i < count && p < end; ++i) p += DecodeUtf8(p, end).length;
  return text.substr(0, static_cast<std::size_t>(p - begin));
}

std::size_t CharacterCount(std::string_view text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* const end = p + text.size();
  std::size_t count = 0;
  for (; p < end; ++count) p += DecodeUtf8(p, end).length;
  return count;
}

}  // namespace

std::size_t DisplayWidth(std::string_view text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* const end = p + text.size();
  std::size_t widest = 0;
  std::size_t line = 0;
  while (p < end) {
    const Utf8Sequence sequence = DecodeUtf8(p, end);
    p += sequence.length;
    if (sequence.codePoint == U'\n') {
      line = 0;
      continue;
    }
    // Half-width katakana take one column like ASCII.
    const bool narrow = sequence.codePoint < 0x1100 ||
                        (sequence.codePoint >= 0xFF61 && sequence.codePoint <= 0xFF9F);
    line += narrow ? 1 : 2;
    widest = std::max(widest, line);
  }
  return widest;
}

XlsxWriter::XlsxWriter(const std::string& path, const WorkbookProvenance& provenance,
                       std::function<void(const std::string&)> warn, std::size_t rowsPerSheet)
    : warn_(std::move(warn)),
      rowsPerSheet_(rowsPerSheet),
      provenanceTitle_(provenance.title),
      provenanceComments_(provenance.comments) {
  lxw_workbook_options options = {};
  options.constant_memory = LXW_TRUE;
  workbook_ = workbook_new_opt(path.c_str(), &options);
  if (workbook_ == nullptr) throw std::runtime_error(path + ": cannot begin the workbook");
  bold_ = workbook_add_format(workbook_);
  format_set_bold(bold_);
  format_set_num_format(bold_, "@");
  text_ = workbook_add_format(workbook_);
  format_set_num_format(text_, "@");
  lxw_doc_properties properties = {};
  properties.title = provenanceTitle_.data();
  properties.comments = provenanceComments_.data();
  properties.author = const_cast<char*>("kobal-lookup");
  properties.subject = const_cast<char*>("Japanese telephone numbers, as numbered in 2000");
  workbook_set_properties(workbook_, &properties);
}

XlsxWriter::~XlsxWriter() {
  if (workbook_ != nullptr)
    workbook_close(workbook_);  // only after a failure: Close was not called
}

void XlsxWriter::NewSheet() {
  if (sheet_ != nullptr) FinishSheet();
  const std::string name = "Sheet" + std::to_string(++sheets_);
  sheet_ = workbook_add_worksheet(workbook_, name.c_str());
  row_ = 0;
  widths_.assign(columns_, 0);
  if (!header_.empty()) {
    for (std::size_t i = 0; i < header_.size(); ++i) WriteCell(i, header_[i], bold_, 1);
    worksheet_freeze_panes(sheet_, 1, 0);
    row_ = 1;
  }
}

void XlsxWriter::FinishSheet() {
  for (std::size_t i = 0; i < widths_.size(); ++i) {
    const double width = std::min(kWidestColumn, std::max(8.0, widths_[i] * 1.1 + 2));
    worksheet_set_column(sheet_, static_cast<lxw_col_t>(i), static_cast<lxw_col_t>(i), width,
                         text_);
  }
  if (!header_.empty() && row_ > 1 && columns_ > 0) {
    worksheet_autofilter(sheet_, 0, 0, static_cast<lxw_row_t>(row_ - 1),
                         static_cast<lxw_col_t>(columns_ - 1));
  }
}

void XlsxWriter::WriteCell(std::size_t column, const std::string& given, lxw_format* format,
                           std::size_t record) {
  // The workbook's XML cannot hold a NUL (the reader has told of it): U+FFFD stands for it,
  // rather than the cell ending there.
  std::string withoutNul;
  if (given.find('\0') != std::string::npos) {
    for (const char c : given) {
      if (c == '\0') {
        withoutNul += kReplacementCharacter;
      } else {
        withoutNul += c;
      }
    }
  }
  const std::string& text = withoutNul.empty() ? given : withoutNul;
  if (column >= widths_.size()) widths_.resize(column + 1, 0);
  widths_[column] = std::max(widths_[column], static_cast<double>(DisplayWidth(text)));
  if (text.empty()) {
    if (format == bold_)
      worksheet_write_blank(sheet_, static_cast<lxw_row_t>(row_), static_cast<lxw_col_t>(column),
                            format);
    return;
  }
  lxw_error error = LXW_NO_ERROR;
  if (text.size() > kMaxCellCharacters && CharacterCount(text) > kMaxCellCharacters) {
    const std::string cut =
        std::string(FirstCharacters(text, kMaxCellCharacters - CharacterCount(kCutMark))) +
        std::string(kCutMark);
    warn_("record " + std::to_string(record) + ", column " + std::to_string(column + 1) +
          ": a cell of " + std::to_string(CharacterCount(text)) +
          " characters is cut to Excel's 32767, ending in …");
    error = worksheet_write_string(sheet_, static_cast<lxw_row_t>(row_),
                                   static_cast<lxw_col_t>(column), cut.c_str(), format);
  } else {
    error = worksheet_write_string(sheet_, static_cast<lxw_row_t>(row_),
                                   static_cast<lxw_col_t>(column), text.c_str(), format);
  }
  if (error != LXW_NO_ERROR) {
    throw std::runtime_error("record " + std::to_string(record) + ": " + lxw_strerror(error));
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
  const lxw_error error = workbook_close(workbook);
  if (error != LXW_NO_ERROR) throw std::runtime_error(lxw_strerror(error));
}

}  // namespace kobal::lookup
