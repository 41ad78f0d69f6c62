// A record is built as UTF-8 and encoded whole: records are short, and UTF-16 needs it so.
#include "lookup/records/RecordWriter.h"

#include "encodings/TextEncoder.h"

namespace kobal::lookup {

void AppendDelimitedRecord(std::span<const std::string> cells, const DelimitedLayout& layout,
                           std::string& out) {
  const CsvRules rules{layout.delimiter, layout.guardFormulas, true};
  std::string text;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const std::size_t at = text.size();
    text.resize(at + 1 + MaxEscapedSize(cells[i].size()));
    char* end = text.data() + at;
    if (i > 0) *end++ = layout.delimiter;
    end = WriteCsvCell(cells[i], FieldBytes::kKept, rules, end);
    text.resize(static_cast<std::size_t>(end - text.data()));
  }
  text += layout.recordEnd;
  AppendEncoded(text, layout.form.encoding, out);
}

TextForm OutputForm(TextForm input, std::optional<TextEncoding> chosen) {
  if (!chosen || *chosen == input.encoding) return input;
  return {*chosen, *chosen != TextEncoding::kShiftJis};
}

}  // namespace kobal::lookup
