// Answers a whole input stream: blocks of lines on worker threads and on the calling thread,
// records in input order.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "lookup/LineReader.h"
#include "lookup/LookupOptions.h"
#include "lookup/OutputBuffer.h"
#include "lookup/PaddedBuffer.h"

namespace kobal::lookup {

class StreamAnswerer {
 public:
  // `threads` (at least one) answer the blocks: the calling thread and threads - 1 workers.
  StreamAnswerer(const LookupOptions& options, unsigned threads);
  ~StreamAnswerer();
  StreamAnswerer(const StreamAnswerer&) = delete;
  StreamAnswerer& operator=(const StreamAnswerer&) = delete;

  // Answers every line `reader` gives, writing the records to `output` in input order, until
  // the input ends or the output fails. Rethrows a failure in answering a block after writing
  // every record made before it.
  void Run(LineReader& reader, OutputBuffer& output);

 private:
  struct Slot {
    PaddedBuffer input;  // whole lines
    std::size_t inputSize = 0;
    OutputBuffer records{OutputBuffer::kInMemory, 0};
    enum class State { kFree, kFilled, kTaken, kDone } state = State::kFree;
    std::string failure;  // what stopped the answering of this block
  };
  class BlockAnswerer;

  void Work(StreamEncoding encoding);
  // Takes the next filled block, if there is one, and answers it; false when none is waiting.
  // `lock` holds mutex_ on entry and on return.
  bool AnswerNext(BlockAnswerer& answerer, std::unique_lock<std::mutex>& lock);
  bool Done(std::size_t index);
  // Waits for block `index` to be answered, answering waiting blocks here meanwhile, and writes
  // its records.
  void WriteOut(std::size_t index, OutputBuffer& output);
  // A line too long for a block, in pieces, on the calling thread.
  void AnswerLongLine(LineReader& reader, OutputBuffer& output);

  LookupOptions options_;
  unsigned threadCount_;
  std::vector<Slot> slots_;
  std::unique_ptr<BlockAnswerer> own_;  // the calling thread's, once the encoding is known
  std::vector<std::thread> workers_;
  std::mutex mutex_;
  std::condition_variable filled_;    // a block was filled, or the run ends
  std::condition_variable answered_;  // the awaited block was answered
  std::size_t awaited_ = SIZE_MAX;    // the block WriteOut waits for, counted from 0
  std::size_t nextToAnswer_ = 0;      // the next filled block to take, counted from 0
  std::size_t filledCount_ = 0;
  bool stopping_ = false;
};

}  // namespace kobal::lookup
