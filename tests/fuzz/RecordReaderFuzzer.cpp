// libFuzzer target on the record reader: records are the same however the text is cut into
// chunks, and what the CSV writer makes of them reads back cell for cell, on any bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/records/RecordReader.h"
#include "lookup/records/RecordWriter.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

void Require(bool holds, const char* what) {
  if (!holds) {
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
  }
}

Rows Read(std::string_view text, char delimiter, std::size_t step) {
  kobal::lookup::RecordReader reader(delimiter);
  Rows rows;
  kobal::lookup::Record record;
  for (std::size_t at = 0;; at += step) {
    const bool final = at + step >= text.size();
    reader.Feed(text.substr(std::min(at, text.size()), step), final);
    while (reader.Next(record)) {
      Require(record.number == rows.size() + 1, "records numbered out of order");
      Require(!record.cells.empty(), "a record without a cell");
      std::vector<std::string> cells;
      for (const auto& cell : record.cells) cells.push_back(cell.text);
      rows.push_back(std::move(cells));
    }
    if (final) return rows;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // The first byte picks the delimiter and the chunk size; the rest is the text.
  const char delimiter = ",\t;|"[data[0] & 3];
  const std::size_t step = 1 + (data[0] >> 2);
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const Rows whole = Read(text, delimiter, text.size() + 1);
  Require(Read(text, delimiter, step) == whole, "records depend on the chunks");
  std::string written;
  kobal::lookup::DelimitedLayout layout{delimiter, "\r\n", {}, false};
  for (const auto& row : whole) kobal::lookup::AppendDelimitedRecord(row, layout, written);
  Require(Read(written, delimiter, step) == whole, "written records read back otherwise");
  return 0;
}
