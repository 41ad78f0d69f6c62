// A record is built as UTF-8 and encoded whole: records are short, and UTF-16 needs it so.
#include "lookup/DelimitedWriter.h"

namespace kobal::lookup {
namespace {

// Digits with a leading zero, which a spreadsheet would read as a number without it: quoted, so
// that "quoted field as text" (LibreOffice) keeps them as written.
bool HasLeadingZero(std::string_view cell) {
  return cell.size() > 1 && cell.front() == '0' &&
         cell.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

bool LooksLikeFormula(std::string_view cell) {
  return !cell.empty() && std::string_view("=+-@\t\r").find(cell.front()) != std::string_view::npos;
}

void AppendDelimitedRecord(std::span<const std::string> cells, const DelimitedLayout& layout,
                           std::string& out) {
  std::string text;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) text += layout.delimiter;
    const std::string& cell = cells[i];
    const bool guarded = layout.guardFormulas && LooksLikeFormula(cell);
    const bool quoted = guarded || HasLeadingZero(cell) ||
                        cell.find_first_of("\"\r\n") != std::string::npos ||
                        cell.find(layout.delimiter) != std::string::npos;
    if (quoted) text += '"';
    if (guarded) text += '\'';
    for (const char c : cell) {
      if (c == '"') text += '"';
      text += c;
    }
    if (quoted) text += '"';
  }
  text += layout.recordEnd;
  AppendEncoded(text, layout.form.encoding, out);
}

void DelimitedRows::Row(std::span<const std::string> cells, bool, std::size_t) {
  bytes_.clear();
  if (!layout_) {
    layout_ = layoutOf_();
    if (layout_->form.byteOrderMark) bytes_ = ByteOrderMark(layout_->form.encoding);
  }
  AppendDelimitedRecord(cells, *layout_, bytes_);
  write_(bytes_);
}

TextForm OutputForm(TextForm input, std::optional<TextEncoding> chosen) {
  if (!chosen || *chosen == input.encoding) return input;
  return {*chosen, *chosen != TextEncoding::kShiftJis};
}

}  // namespace kobal::lookup
