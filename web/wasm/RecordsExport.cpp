// A delimited file read as records by kobal-lookup's own reader, for the page's batch view: the
// file's bytes go in a piece at a time, the first records with their answers and the counts come
// out as JSON, or the CSV to save in the file's own form (delimiter, record ends, encoding, byte
// order mark) a piece at a time, so that neither the records nor the CSV of a big file are held
// whole; or the records as a workbook's cells, with its columns' widths.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "encodings/TextEncoding.h"
#include "fields/Field.h"
#include "lookup/FieldEscape.h"
#include "lookup/records/RecordStream.h"
#include "lookup/records/TextForm.h"
#include "lookup/records/WorkbookCell.h"

namespace {

using namespace kobal::lookup;

void AppendJsonString(std::string_view text, std::string& json) {
  const std::size_t at = json.size();
  json.resize(at + MaxEscapedSize(text.size()) + 2);
  char* const end = WriteJsonString(text, json.data() + at);
  json.resize(static_cast<std::size_t>(end - json.data()));
}

// The records kept to be shown, the first `kept` of them, and how many there are; for a
// workbook, the cells as it holds them and its columns' widths.
struct Rows : RowSink {
  std::vector<std::vector<std::string>> rows;
  std::size_t kept = 0;
  std::size_t count = 0;
  bool header = false;
  bool workbook = false;
  ColumnWidths widths;
  std::function<void(const std::string&)> warn;
  void Row(std::span<const std::string> cells, bool isHeader, std::size_t record) override {
    header |= isHeader;
    if (count++ >= kept) return;
    if (!workbook) {
      rows.emplace_back(cells.begin(), cells.end());
      return;
    }
    std::vector<std::string>& row = rows.emplace_back();
    for (std::size_t i = 0; i < cells.size(); ++i) {
      row.push_back(WorkbookCellText(cells[i], record, i, warn));
      widths.Widen(i, row.back());
    }
  }
};

// The file being read.
struct Reading {
  RecordOptions options;
  bool csv = false;  // whether the records are written as CSV
  Rows rows;
  std::vector<std::string> warnings;
  std::unique_ptr<RecordStream> stream;
  std::string out;  // the CSV of the last piece
  std::string json;
};

Reading& Current() {
  static Reading reading;  // the module runs on one thread
  return reading;
}

// The stream over the options chosen: its records kept and counted, its CSV collected a piece at
// a time, its warnings (the workbook cells' among them) kept up to the options' cap.
void Start(Reading& reading) {
  reading.stream = std::make_unique<RecordStream>(
      reading.options,
      [&reading](const std::string& warning) { reading.warnings.push_back(warning); });
  reading.rows.warn = [&reading](const std::string& warning) { reading.stream->Warning(warning); };
  RecordStream::Write write;
  if (reading.csv) write = [&reading](std::string_view bytes) { reading.out += bytes; };
  reading.stream->Begin(&reading.rows, std::move(write));
}

}  // namespace

// Starts reading a file as records, answering the columns listed in `columns` (1-based numbers
// between commas, NUL-terminated; none for only the records) with the cells of `fields` (names
// between commas as kobal-lookup's --fields takes them; empty for number, status and result)
// and `header` 0 auto, 1 present, 2 absent; the first `kept` records (the header row among them)
// are kept for KobalRecordsRead. `csv`: 0 no CSV, 1 CSV with cells a spreadsheet would evaluate
// guarded, 2 CSV as it is. `workbook`: the kept records' cells as a workbook holds them (too long
// ones cut, a warning each), and KobalRecordsRead gives the widths of their columns. Returns 0
// when `fields` is no list of fields, the file being read before going on as it was.
extern "C" __attribute__((visibility("default"))) uint32_t KobalRecordsBegin(
    const char* columns, const char* fields, uint32_t header, uint32_t kept, uint32_t csv,
    uint32_t workbook) {
  std::optional<std::vector<kobal::Field>> chosen;
  if (*fields != '\0' && !(chosen = kobal::ParseFieldList(fields, nullptr))) return 0;
  Reading& reading = Current();
  reading = Reading{};
  if (chosen) reading.options.fields = std::move(*chosen);
  for (std::string_view list = columns; !list.empty();) {
    const std::size_t comma = list.find(',');
    if (comma != 0) reading.options.columns.emplace_back(list.substr(0, comma));
    list = comma == std::string_view::npos ? "" : list.substr(comma + 1);
  }
  reading.options.header = header == 1   ? HeaderRow::kPresent
                           : header == 2 ? HeaderRow::kAbsent
                                         : HeaderRow::kAuto;
  reading.rows.kept = kept;
  reading.csv = csv != 0;
  reading.options.guardFormulas = csv != 2;
  reading.rows.workbook = workbook != 0;
  Start(reading);
  return 1;
}

// Reads the next `size` bytes of the file at `bytes`, the last piece when `final`. Returns the
// CSV of the records it ended, `*size` bytes, valid until the next call.
extern "C" __attribute__((visibility("default"))) const char* KobalRecordsFeed(const char* bytes,
                                                                               uint32_t size,
                                                                               uint32_t final,
                                                                               uint32_t* csvSize) {
  Reading& reading = Current();
  reading.out.clear();
  reading.stream->Feed({bytes, size});
  if (final != 0) reading.stream->Finish();
  *csvSize = static_cast<uint32_t>(reading.out.size());
  return reading.out.data();
}

// What was read: JSON, NUL-terminated, valid until the next call: {"encoding","delimiter",
// "header","suggested":[0-based columns named like a telephone column],"warnings":[...],
// "count":records with the header row,"rows":[[cells...]...] (those kept), "widths":[columns'
// widths in characters, for a workbook]}.
extern "C" __attribute__((visibility("default"))) const char* KobalRecordsRead() {
  Reading& reading = Current();
  if (!reading.stream) Start(reading);  // nothing begun: nothing read
  std::string& json = reading.json;
  json = "{\"encoding\":\"";
  json += kobal::TextEncodingName(reading.stream->InputForm().encoding);
  json += "\",\"delimiter\":";
  const char delimiter = reading.stream->Delimiter();
  AppendJsonString(std::string_view(&delimiter, 1), json);
  json += reading.rows.header ? ",\"header\":true" : ",\"header\":false";
  json += ",\"suggested\":[";
  if (!reading.rows.rows.empty()) {
    std::vector<Cell> first;
    for (const std::string& text : reading.rows.rows.front()) first.push_back({text});
    const std::vector<std::size_t> suggested = TelephoneColumns(first);
    for (std::size_t i = 0; i < suggested.size(); ++i) {
      json += (i == 0 ? "" : ",") + std::to_string(suggested[i]);
    }
  }
  json += "],\"warnings\":[";
  for (std::size_t i = 0; i < reading.warnings.size(); ++i) {
    if (i > 0) json += ',';
    AppendJsonString(reading.warnings[i], json);
  }
  json += "],\"count\":" + std::to_string(reading.rows.count) + ",\"rows\":[";
  for (std::size_t r = 0; r < reading.rows.rows.size(); ++r) {
    json += r == 0 ? "[" : ",[";
    const auto& row = reading.rows.rows[r];
    for (std::size_t c = 0; c < row.size(); ++c) {
      if (c > 0) json += ',';
      AppendJsonString(row[c], json);
    }
    json += ']';
  }
  json += "],\"widths\":[";
  for (std::size_t i = 0; reading.rows.workbook && i < reading.rows.widths.size(); ++i) {
    json += (i == 0 ? "" : ",") + std::to_string(reading.rows.widths.Width(i));
  }
  json += "]}";
  return json.c_str();
}
