// The calling thread reads blocks of whole lines and writes their records in order; workers
// answer the blocks, each with its own answerer and answer cache. Memory is the slots' blocks
// and records, whatever the input.
#include "StreamAnswerer.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <stdexcept>

#include "LineAnswerer.h"
#include "LineDecoder.h"
#include "RecordWriter.h"

namespace kobal::cli {
namespace {

// A block is at most one piece: no whole line is longer than a piece, so every one fits. Its
// lines are counted too, so that its records stay small however short the lines are.
constexpr std::size_t kBlockSize = std::size_t{1} << 16;
constexpr std::size_t kBlockLines = 8192;

// Answers every line of `block` (`size` bytes, with a byte of room after them).
void AnswerBlock(char* block, std::size_t size, LineDecoder& decoder, LineAnswerer& answerer) {
  char* line = block;
  char* const end = block + size;
  while (line < end) {
    auto* newline =
        static_cast<char*>(std::memchr(line, '\n', static_cast<std::size_t>(end - line)));
    char* const lineEnd = newline != nullptr ? newline : end;
    auto length = static_cast<std::size_t>(lineEnd - line);
    if (length > 0 && line[length - 1] == '\r') --length;
    line[length] = '\0';  // the raw lookup reads the line as a C string
    answerer.Answer(decoder.Decode({line, length}), {line, length});
    line = lineEnd + 1;
  }
}

}  // namespace

StreamAnswerer::StreamAnswerer(const CommandLine& commandLine, unsigned workers)
    : commandLine_(commandLine), workerCount_(std::max(workers, 1u)), slots_(2 * workerCount_ + 2) {
  for (Slot& slot : slots_) slot.input.resize(kBlockSize + 1);
}

StreamAnswerer::~StreamAnswerer() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  filled_.notify_all();
  for (std::thread& worker : workers_) worker.join();
}

void StreamAnswerer::Work(StreamEncoding encoding) {
  OutputBuffer records(OutputBuffer::kInMemory, kBlockSize * 4);
  RecordWriter writer(commandLine_.format, commandLine_.encoding, records);
  LineAnswerer answerer(commandLine_.raw, writer);
  LineDecoder decoder(encoding);
  for (;;) {
    std::unique_lock lock(mutex_);
    filled_.wait(lock, [this] { return stopping_ || nextToAnswer_ < filledCount_; });
    if (nextToAnswer_ == filledCount_) return;  // stopping, and nothing left
    Slot& slot = slots_[nextToAnswer_++ % slots_.size()];
    lock.unlock();

    records.Clear();
    std::string failure;
    try {
      AnswerBlock(slot.input.data(), slot.inputSize, decoder, answerer);
    } catch (const std::exception& error) {
      failure = error.what();  // the records made before it still count
    }
    records.Swap(slot.records);  // the slot's old buffer, written out already, is reused

    lock.lock();
    slot.failure = std::move(failure);
    slot.state = Slot::State::kDone;
    answered_.notify_all();
  }
}

void StreamAnswerer::WriteOut(std::size_t index, OutputBuffer& output) {
  Slot& slot = slots_[index % slots_.size()];
  {
    std::unique_lock lock(mutex_);
    answered_.wait(lock, [&slot] { return slot.state == Slot::State::kDone; });
  }
  output.Write(slot.records.Buffered());
  slot.state = Slot::State::kFree;
  if (!slot.failure.empty()) throw std::runtime_error(slot.failure);
}

void StreamAnswerer::AnswerLongLine(LineReader& reader, OutputBuffer& output) {
  RecordWriter writer(commandLine_.format, commandLine_.encoding, output);
  LineAnswerer answerer(commandLine_.raw, writer);
  LinePiece piece;
  while (reader.Next(piece)) {
    answerer.AnswerPiece(piece.text, piece.first, piece.last);
    if (piece.last) return;
  }
}

void StreamAnswerer::Run(LineReader& reader, OutputBuffer& output) {
  std::size_t written = 0;
  std::size_t filled = 0;
  for (;;) {
    if (filled - written == slots_.size()) WriteOut(written++, output);
    if (output.Failed()) break;
    Slot& slot = slots_[filled % slots_.size()];
    const LineReader::Block block =
        reader.NextBlock(slot.input.data(), kBlockSize, kBlockLines, slot.inputSize);
    if (block == LineReader::Block::kEnd) break;
    if (block == LineReader::Block::kLongLine) {
      while (written < filled) WriteOut(written++, output);
      AnswerLongLine(reader, output);
      continue;
    }
    if (workers_.empty()) {  // the stream's encoding is known once its start is read
      for (unsigned i = 0; i < workerCount_; ++i) {
        workers_.emplace_back(&StreamAnswerer::Work, this, reader.Encoding());
      }
    }
    {
      const std::lock_guard lock(mutex_);
      slot.state = Slot::State::kFilled;
      ++filledCount_;
    }
    ++filled;
    filled_.notify_one();
  }
  while (written < filled) WriteOut(written++, output);
}

}  // namespace kobal::cli
