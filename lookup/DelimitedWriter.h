// Writes answered records as delimited text for spreadsheets: quoted where RFC 4180 needs it,
// cells a spreadsheet would take for a formula made text, in the file's own encoding.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "lookup/FieldEscape.h"
#include "lookup/RecordAnswerer.h"
#include "lookup/TextForm.h"

namespace kobal::lookup {

struct DelimitedLayout {
  char delimiter = ',';
  std::string recordEnd = "\r\n";
  TextForm form;
  bool guardFormulas = true;
};

// Appends one record, with its record end, to `out` (the byte order mark is the caller's):
// cells as WriteCsvCell writes them, digits with a leading zero quoted.
void AppendDelimitedRecord(std::span<const std::string> cells, const DelimitedLayout& layout,
                           std::string& out);

// Answered records as delimited text, handed to `write` a record at a time; the layout is asked
// for once, at the first record, when the input has shown its delimiter and record end.
class DelimitedRows : public RowSink {
 public:
  DelimitedRows(std::function<DelimitedLayout()> layout,
                std::function<void(std::string_view)> write)
      : layoutOf_(std::move(layout)), write_(std::move(write)) {}

  void Row(std::span<const std::string> cells, bool header, std::size_t record) override;

 private:
  std::function<DelimitedLayout()> layoutOf_;
  std::function<void(std::string_view)> write_;
  std::optional<DelimitedLayout> layout_;
  std::string bytes_;
};

// The output's form when records are written back: the input's own unless `chosen`. A byte
// order mark stays when the input had one; UTF-16 always has one; UTF-8 made from another
// encoding gets one, so that Japanese Excel reads it as UTF-8 and not as Shift-JIS.
TextForm OutputForm(TextForm input, std::optional<TextEncoding> chosen);

}  // namespace kobal::lookup
