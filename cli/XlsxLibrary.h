// libxlsxwriter's functions that the workbook writer calls, found when a workbook is first asked
// for. Linked at start, the library and what it needs (libcrypto, minizip, zlib) would be loaded
// and relocated on every run: millions of instructions that runs writing lines pay for nothing.
// The declarations are the library's own header's.
#pragma once

#include <xlsxwriter.h>

namespace kobal::cli {

struct XlsxLibrary {
  decltype(&::workbook_new_opt) workbook_new_opt;
  decltype(&::workbook_add_format) workbook_add_format;
  decltype(&::workbook_add_worksheet) workbook_add_worksheet;
  decltype(&::workbook_set_properties) workbook_set_properties;
  decltype(&::workbook_close) workbook_close;
  decltype(&::format_set_bold) format_set_bold;
  decltype(&::format_set_num_format) format_set_num_format;
  decltype(&::worksheet_write_string) worksheet_write_string;
  decltype(&::worksheet_write_blank) worksheet_write_blank;
  decltype(&::worksheet_set_column) worksheet_set_column;
  decltype(&::worksheet_freeze_panes) worksheet_freeze_panes;
  decltype(&::worksheet_autofilter) worksheet_autofilter;
  decltype(&::lxw_strerror) lxw_strerror;
};

// The library, loaded by the first call. Throws std::runtime_error, saying which library and
// why, when it cannot be loaded or lacks a function.
const XlsxLibrary& LoadXlsxLibrary();

}  // namespace kobal::cli
