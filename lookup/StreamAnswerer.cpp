// The calling thread reads blocks of whole lines and writes their records in order; workers
// answer the blocks, each with its own answerer and answer cache. Memory is the slots' blocks
// and records, whatever the input.
#include "lookup/StreamAnswerer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <exception>
#include <memory>
#include <stdexcept>

#include "encodings/LineDecoder.h"
#include "lookup/LineAnswerer.h"
#include "lookup/RecordWriter.h"

namespace kobal::lookup {
namespace {

// A block is at most one piece: no whole line is longer than a piece, so every one fits. Its
// lines are counted too, so that its records stay small however short the lines are.
constexpr std::size_t kBlockSize = std::size_t{1} << 16;
constexpr std::size_t kBlockLines = 8192;
// Enough for the records of most blocks, so that a buffer seldom grows; only the pages that
// records are written to take memory.
constexpr std::size_t kRecordsRoom = kBlockSize * 8;

// The number of ASCII digits at the start of `text`, eight bytes at a time: most lines are
// digits only, and this finds where they end too. Reads up to seven bytes past the first byte
// that is not a digit.
std::size_t CountDigits(const char* text) {
  static_assert(PaddedBuffer::Covers(7));
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t kZeros = 0x3030303030303030u;     // "0" in every byte
    constexpr std::uint64_t kPastNine = 0x7676767676767676u;  // 10 + 0x76 sets the high bit
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    for (std::size_t count = 0;; count += 8) {
      std::uint64_t word;
      std::memcpy(&word, text + count, sizeof word);
      const std::uint64_t value = word ^ kZeros;  // 0 to 9 for a digit
      // The high bit of each byte that is not a digit. A carry leaves only such a byte, so the
      // lowest byte flagged is the first that is not a digit.
      const std::uint64_t flags = (value | (value + kPastNine)) & kHighBits;
      if (flags != 0) return count + static_cast<std::size_t>(std::countr_zero(flags)) / 8;
    }
  } else {
    std::size_t count = 0;
    while (text[count] >= '0' && text[count] <= '9') ++count;
    return count;
  }
}

// Answers every line of the first `size` bytes of `block`, a batch at a time: the lines are found
// and ended with a NUL first, then answered.
void AnswerBlock(PaddedBuffer& block, std::size_t size, LineDecoder& decoder,
                 LineAnswerer& answerer) {
  char* line = block.data();
  char* const end = line + size;
  // Ends a last line without a newline, and every run of digits; the room after it is read
  // (a whole word at a time) but never decides anything.
  block.ClearAfter(size);
  std::array<LineAnswerer::BlockLine, LineAnswerer::kBatch> batch;
  while (line < end) {
    std::size_t count = 0;
    for (; count < batch.size() && line < end; ++count) {
      // A line of digits ends where they do; any other line is looked through for its end.
      std::size_t length = CountDigits(line);
      char* lineEnd = line + length;
      const bool digitsOnly = *lineEnd == '\n' || lineEnd == end;
      if (!digitsOnly) {
        auto* newline =
            static_cast<char*>(std::memchr(lineEnd, '\n', static_cast<std::size_t>(end - lineEnd)));
        lineEnd = newline != nullptr ? newline : end;
        length = static_cast<std::size_t>(lineEnd - line);
        if (length > 0 && line[length - 1] == '\r') --length;
      }
      line[length] = '\0';  // the raw lookup reads the line as a C string
      // Digits and CR LF are digits only too.
      batch[count] = {{line, length}, length > 0 && (digitsOnly || CountDigits(line) == length)};
      line = lineEnd + 1;
    }
    answerer.AnswerBatch({batch.data(), count}, decoder);
  }
}

}  // namespace

// What one thread needs to answer blocks: its own records, answerer, answer cache and decoder.
class StreamAnswerer::BlockAnswerer {
 public:
  BlockAnswerer(const LookupOptions& options, StreamEncoding encoding)
      : writer_(options.format, options.encoding, records_),
        answerer_(options.raw, writer_),
        decoder_(encoding) {}

  // Answers the block of `slot` and hands it its records; what stopped it, if anything.
  std::string Answer(Slot& slot) {
    records_.Clear();
    std::string failure;
    try {
      AnswerBlock(slot.input, slot.inputSize, decoder_, answerer_);
    } catch (const std::exception& error) {
      failure = error.what();  // the records made before it still count
    }
    records_.Swap(slot.records);  // the slot's old buffer, written out already, is reused
    return failure;
  }

 private:
  OutputBuffer records_{OutputBuffer::kInMemory, kRecordsRoom};
  RecordWriter writer_;
  LineAnswerer answerer_;
  LineDecoder decoder_;
};

StreamAnswerer::StreamAnswerer(const LookupOptions& options, unsigned threads)
    : options_(options), threadCount_(std::max(threads, 1u)), slots_(2 * threadCount_ + 2) {
  for (Slot& slot : slots_) {
    slot.input = PaddedBuffer(kBlockSize);
    slot.records = OutputBuffer(OutputBuffer::kInMemory, kRecordsRoom);
  }
}

StreamAnswerer::~StreamAnswerer() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  filled_.notify_all();
  for (std::thread& worker : workers_) worker.join();
}

bool StreamAnswerer::AnswerNext(BlockAnswerer& answerer, std::unique_lock<std::mutex>& lock) {
  if (nextToAnswer_ == filledCount_) return false;
  const std::size_t number = nextToAnswer_++;
  Slot& slot = slots_[number % slots_.size()];
  slot.state = Slot::State::kTaken;
  lock.unlock();
  std::string failure = answerer.Answer(slot);
  lock.lock();
  slot.failure = std::move(failure);
  slot.state = Slot::State::kDone;
  // Only the block the writer waits for wakes it: every wake is two thread switches.
  if (number == awaited_) answered_.notify_one();
  return true;
}

void StreamAnswerer::Work(StreamEncoding encoding) {
  BlockAnswerer answerer(options_, encoding);
  std::unique_lock lock(mutex_);
  for (;;) {
    filled_.wait(lock, [this] { return stopping_ || nextToAnswer_ < filledCount_; });
    if (!AnswerNext(answerer, lock)) return;  // stopping, and nothing left
  }
}

bool StreamAnswerer::Done(std::size_t index) {
  const std::lock_guard lock(mutex_);
  return slots_[index % slots_.size()].state == Slot::State::kDone;
}

void StreamAnswerer::WriteOut(std::size_t index, OutputBuffer& output) {
  Slot& slot = slots_[index % slots_.size()];
  {
    std::unique_lock lock(mutex_);
    // Rather than sleep, this thread answers the blocks that no worker has taken yet.
    while (slot.state != Slot::State::kDone && AnswerNext(*own_, lock)) {
    }
    awaited_ = index;
    answered_.wait(lock, [&slot] { return slot.state == Slot::State::kDone; });
    slot.state = Slot::State::kFree;
  }
  output.Write(slot.records.Buffered());
  if (!slot.failure.empty()) throw std::runtime_error(slot.failure);
}

void StreamAnswerer::AnswerLongLine(LineReader& reader, OutputBuffer& output) {
  RecordWriter writer(options_.format, options_.encoding, output);
  LineAnswerer answerer(options_.raw, writer);
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
    // Records go out as soon as they are ready; with every slot in use, the oldest block is
    // waited for.
    while (written < filled && (filled - written == slots_.size() || Done(written))) {
      WriteOut(written++, output);
    }
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
    // The stream's encoding is known once its start is read. Workers start with a second
    // block: an input of one block is answered here, without starting a thread.
    if (own_ == nullptr) own_ = std::make_unique<BlockAnswerer>(options_, reader.Encoding());
    if (filled == 1) {
      for (unsigned i = 1; i < threadCount_; ++i) {
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

}  // namespace kobal::lookup
