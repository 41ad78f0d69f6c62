// Delimited records as one stream: a file's bytes go in a piece at a time, its records come out
// answered, handed to a row sink (a workbook, the page's view), written back as delimited text,
// or both. Every front end that answers records drives this one assembly with one RecordOptions.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "encodings/TextDecoder.h"
#include "lookup/records/RecordAnswerer.h"
#include "lookup/records/RecordOptions.h"
#include "lookup/records/RecordWriter.h"
#include "lookup/records/TextForm.h"

namespace kobal::lookup {

class RecordStream : private RowSink {
 public:
  using Warn = std::function<void(const std::string&)>;
  using Write = std::function<void(std::string_view)>;

  // `warn` is told the first options.warningsTold warnings; the rest are only counted.
  RecordStream(RecordOptions options, Warn warn);
  RecordStream(const RecordStream&) = delete;
  RecordStream& operator=(const RecordStream&) = delete;

  // Where the answered records go: to `rows` when given, and as delimited text, a record at a
  // time, to `write` when given.
  void Begin(RowSink* rows, Write write);

  // The file's next bytes; its form is settled from its first kDetectionBytes, held until they
  // have come or the file ends. Feed and Finish throw ColumnError for a column the header lacks.
  void Feed(std::string_view bytes);
  void Finish();

  // A warning of the row sink's (a cell cut for a workbook), told and counted with the records'.
  void Warning(const std::string& message);
  std::size_t Untold() const {
    return warnings_ > options_.warningsTold ? warnings_ - options_.warningsTold : 0;
  }

  // Known once the file's start is read: before, UTF-8 and a comma.
  TextForm InputForm() const { return input_.value_or(TextForm{}); }
  char Delimiter() const { return answerer_ ? answerer_->Delimiter() : ','; }

 private:
  void Start();
  void Row(std::span<const std::string> cells, bool header, std::size_t record) override;

  RecordOptions options_;
  Warn warn_;
  std::size_t warnings_ = 0;
  RowSink* rows_ = nullptr;
  Write write_;
  std::string start_;  // the bytes before the form is settled
  std::optional<TextForm> input_;
  std::optional<kobal::TextDecoder> decoder_;
  std::optional<RecordAnswerer> answerer_;
  std::optional<DelimitedLayout> layout_;  // settled at the first record
  std::string bytes_;
};

}  // namespace kobal::lookup
