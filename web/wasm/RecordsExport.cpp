// A delimited file read as records by kobal-lookup's own reader, for the page's batch view: the
// file's bytes go in whole, the records with their answers come out as JSON, and the CSV to save
// in the file's own form (delimiter, record ends, encoding, byte order mark).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/DelimitedWriter.h"
#include "lookup/FieldEscape.h"
#include "lookup/RecordAnswerer.h"
#include "lookup/TextForm.h"

namespace {

using namespace kobal::lookup;

void AppendJsonString(std::string_view text, std::string& json) {
  const std::size_t at = json.size();
  json.resize(at + MaxEscapedSize(text.size()) + 2);
  char* const end = WriteJsonString(text, json.data() + at);
  json.resize(static_cast<std::size_t>(end - json.data()));
}

const char* EncodingName(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::kShiftJis:
      return "Shift-JIS";
    case TextEncoding::kUtf16LittleEndian:
      return "UTF-16LE";
    case TextEncoding::kUtf16BigEndian:
      return "UTF-16BE";
    default:
      return "UTF-8";
  }
}

struct Rows : RowSink {
  std::vector<std::vector<std::string>> rows;
  bool header = false;
  void Row(std::span<const std::string> cells, bool isHeader, std::size_t) override {
    rows.emplace_back(cells.begin(), cells.end());
    header |= isHeader;
  }
};

// The last file read: its rows, and what the page asks of them next.
struct LastRead {
  Rows rows;
  TextForm form;
  char delimiter = ',';
  std::string recordEnd;
  std::string json;
  std::string csv;
};

LastRead& Last() {
  static LastRead last;  // the module runs on one thread
  return last;
}

}  // namespace

// Reads the `size` bytes at `bytes` as records, answering the columns listed in `columns`
// (1-based numbers between commas, NUL-terminated; none for only the records) with `header`
// 0 auto, 1 present, 2 absent. Returns JSON, NUL-terminated, valid until the next call:
// {"encoding","delimiter","header","suggested":[0-based columns named like a telephone column],
// "warnings":[...],"rows":[[cells...]...]}.
extern "C" __attribute__((visibility("default"))) const char* KobalReadRecords(const char* bytes,
                                                                               uint32_t size,
                                                                               const char* columns,
                                                                               uint32_t header) {
  LastRead& last = Last();
  last = LastRead{};
  RecordOptions options;
  for (std::string_view list = columns; !list.empty();) {
    const std::size_t comma = list.find(',');
    if (comma != 0) options.columns.emplace_back(list.substr(0, comma));
    list = comma == std::string_view::npos ? "" : list.substr(comma + 1);
  }
  options.header = header == 1   ? HeaderRow::kPresent
                   : header == 2 ? HeaderRow::kAbsent
                                 : HeaderRow::kAuto;
  std::vector<std::string> warnings;
  RecordAnswerer answerer(options, last.rows, [&warnings](const std::string& warning) {
    if (warnings.size() < 100) warnings.push_back(warning);
  });
  std::size_t skip = 0;
  const std::string_view file(bytes, size);
  last.form = DetectTextForm(kobal::InputEncoding::kAuto, file.substr(0, kDetectionBytes), skip);
  TextDecoder decoder(last.form.encoding);
  answerer.Feed(decoder.Decode(file.substr(skip), true), true);
  last.delimiter = answerer.Delimiter();
  last.recordEnd = answerer.RecordEnd().empty() ? "\r\n" : answerer.RecordEnd();

  std::string& json = last.json;
  json = "{\"encoding\":\"";
  json += EncodingName(last.form.encoding);
  json += "\",\"delimiter\":";
  AppendJsonString(std::string_view(&last.delimiter, 1), json);
  json += last.rows.header ? ",\"header\":true" : ",\"header\":false";
  json += ",\"suggested\":[";
  if (!last.rows.rows.empty()) {
    std::vector<Cell> first;
    for (const std::string& text : last.rows.rows.front()) first.push_back({text});
    const std::vector<std::size_t> suggested = TelephoneColumns(first);
    for (std::size_t i = 0; i < suggested.size(); ++i) {
      json += (i == 0 ? "" : ",") + std::to_string(suggested[i]);
    }
  }
  json += "],\"warnings\":[";
  for (std::size_t i = 0; i < warnings.size(); ++i) {
    if (i > 0) json += ',';
    AppendJsonString(warnings[i], json);
  }
  json += "],\"rows\":[";
  for (std::size_t r = 0; r < last.rows.rows.size(); ++r) {
    json += r == 0 ? "[" : ",[";
    const auto& row = last.rows.rows[r];
    for (std::size_t c = 0; c < row.size(); ++c) {
      if (c > 0) json += ',';
      AppendJsonString(row[c], json);
    }
    json += ']';
  }
  json += "]}";
  return json.c_str();
}

// The records of the last KobalReadRecords as CSV in the file's own form, cells a spreadsheet
// would evaluate guarded unless `raw`; their size goes to `*size`. Valid until the next call.
extern "C" __attribute__((visibility("default"))) const char* KobalRecordsCsv(uint32_t raw,
                                                                              uint32_t* size) {
  LastRead& last = Last();
  DelimitedLayout layout{last.delimiter, last.recordEnd, last.form, raw == 0};
  last.csv.clear();
  if (last.form.byteOrderMark) last.csv = ByteOrderMark(last.form.encoding);
  for (const auto& row : last.rows.rows) AppendDelimitedRecord(row, layout, last.csv);
  *size = static_cast<uint32_t>(last.csv.size());
  return last.csv.data();
}
