// Writes answered records as delimited text for spreadsheets: quoted where RFC 4180 needs it,
// cells a spreadsheet would take for a formula made text, in the file's own encoding.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "lookup/FieldEscape.h"
#include "lookup/records/TextForm.h"

namespace kobal::lookup {

// Settled by the record stream from its options and the input (RecordOptions holds the defaults).
struct DelimitedLayout {
  char delimiter;
  std::string recordEnd;
  TextForm form;
  bool guardFormulas;
};

// Appends one record, with its record end, to `out` (the byte order mark is the caller's):
// cells as WriteCsvCell writes them, digits with a leading zero quoted.
void AppendDelimitedRecord(std::span<const std::string> cells, const DelimitedLayout& layout,
                           std::string& out);

// The output's form when records are written back: the input's own unless `chosen`. A byte
// order mark stays when the input had one; UTF-16 always has one; UTF-8 made from another
// encoding gets one, so that Japanese Excel reads it as UTF-8 and not as Shift-JIS.
TextForm OutputForm(TextForm input, std::optional<TextEncoding> chosen);

}  // namespace kobal::lookup
