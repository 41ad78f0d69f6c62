// Answers a whole input stream, line for line, records in input order.
#pragma once

#include <optional>

#include "encodings/LineDecoder.h"
#include "lookup/LineAnswerer.h"
#include "lookup/LineReader.h"
#include "lookup/LookupOptions.h"
#include "lookup/OutputBuffer.h"
#include "lookup/PaddedBuffer.h"
#include "lookup/RecordWriter.h"

namespace kobal::lookup {

class StreamAnswerer {
 public:
  StreamAnswerer(const LookupOptions& options, OutputBuffer& output);
  StreamAnswerer(const StreamAnswerer&) = delete;
  StreamAnswerer& operator=(const StreamAnswerer&) = delete;

  // Answers every line `reader` gives, writing the records to the output in input order, until
  // the input ends or the output fails.
  void Run(LineReader& reader);

 private:
  // A line too long for a block, in pieces.
  void AnswerLongLine(LineReader& reader);

  RecordWriter writer_;
  LineAnswerer answerer_;
  OutputBuffer& output_;
  PaddedBuffer block_;                  // whole lines, cut and answered in place
  std::optional<LineDecoder> decoder_;  // once the stream's encoding is known
};

}  // namespace kobal::lookup
