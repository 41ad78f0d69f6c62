#include "lookup/records/RecordStream.h"

namespace kobal::lookup {

RecordStream::RecordStream(RecordOptions options, Warn warn)
    : options_(std::move(options)), warn_(std::move(warn)) {}

void RecordStream::Begin(RowSink* rows, Write write) {
  rows_ = rows;
  write_ = std::move(write);
}

void RecordStream::Feed(std::string_view bytes) {
  if (answerer_) {
    answerer_->Feed(decoder_->Decode(bytes, false), false);
    return;
  }
  start_.append(bytes);
  if (start_.size() >= kDetectionBytes) Start();
}

void RecordStream::Finish() {
  if (!answerer_) Start();
  answerer_->Feed(decoder_->Decode({}, true), true);
}

void RecordStream::Start() {
  std::size_t skip = 0;
  input_ = DetectTextForm(options_.inputEncoding,
                          std::string_view(start_).substr(0, kDetectionBytes), skip);
  decoder_.emplace(input_->encoding);
  answerer_.emplace(options_, static_cast<RowSink&>(*this),
                    [this](const std::string& message) { Warning(message); });
  const std::string start = std::move(start_);
  start_.clear();
  answerer_->Feed(decoder_->Decode(std::string_view(start).substr(skip), false), false);
}

void RecordStream::Warning(const std::string& message) {
  if (++warnings_ <= options_.warningsTold && warn_) warn_(message);
}

void RecordStream::Row(std::span<const std::string> cells, bool header, std::size_t record) {
  if (rows_ != nullptr) rows_->Row(cells, header, record);
  if (!write_) return;
  bytes_.clear();
  if (!layout_) {
    // The input has shown its delimiter and record end by its first record.
    const std::string_view end = answerer_->RecordEnd();
    layout_ = DelimitedLayout{options_.outputDelimiter.value_or(answerer_->Delimiter()),
                              end.empty() ? options_.recordEnd : std::string(end),
                              OutputForm(*input_, options_.outputEncoding), options_.guardFormulas};
    if (layout_->form.byteOrderMark) bytes_ = ByteOrderMark(layout_->form.encoding);
  }
  AppendDelimitedRecord(cells, *layout_, bytes_);
  write_(bytes_);
}

}  // namespace kobal::lookup
