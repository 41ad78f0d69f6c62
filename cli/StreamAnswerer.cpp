// The calling thread reads blocks of whole lines and writes their records in order; workers
// answer the blocks, each with its own answerer and answer cache. Memory is the slots' blocks
// and records, whatever the input.
#include "StreamAnswerer.h"

#include <algorithm>
#include <cstdint>
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

// Whether `line` is ASCII digits only (and not empty): eight bytes at a time, since it is the
// common line and the test runs on every one.
bool IsAsciiDigits(std::string_view line) {
  constexpr std::uint64_t kHighNibbles = 0xF0F0F0F0F0F0F0F0u;
  constexpr std::uint64_t kThrees = 0x3030303030303030u;  // "0" to "9" are 0x30 to 0x39
  constexpr std::uint64_t kSixes = 0x0606060606060606u;   // ... and 0x3A to 0x3F are not
  const char* p = line.data();
  const char* const end = p + line.size();
  for (; end - p >= 8; p += 8) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    // No byte carries into the next when the first test holds.
    if ((word & kHighNibbles) != kThrees || ((word + kSixes) & kHighNibbles) != kThrees) {
      return false;
    }
  }
  for (; p < end; ++p) {
    if (*p < '0' || *p > '9') return false;
  }
  return !line.empty();
}

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
    const std::string_view bytes(line, length);
    if (IsAsciiDigits(bytes)) {
      answerer.AnswerDigits(bytes);
    } else {
      answerer.Answer(decoder.Decode(bytes), bytes);
    }
    line = lineEnd + 1;
  }
}

}  // namespace

StreamAnswerer::StreamAnswerer(const CommandLine& commandLine, unsigned workers)
    : commandLine_(commandLine), workerCount_(std::max(workers, 1u)), slots_(2 * workerCount_ + 2) {
  // A NUL after the last line, and room to copy a line of digits in whole pieces.
  for (Slot& slot : slots_) slot.input.resize(kBlockSize + 1 + RecordWriter::kDigitsSlack);
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
