// Answers a whole input stream: blocks of lines on worker threads, records in input order.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "CommandLine.h"
#include "LineReader.h"
#include "OutputBuffer.h"

namespace kobal::cli {

class StreamAnswerer {
 public:
  // `workers` threads (at least one) answer the blocks.
  StreamAnswerer(const CommandLine& commandLine, unsigned workers);
  ~StreamAnswerer();
  StreamAnswerer(const StreamAnswerer&) = delete;
  StreamAnswerer& operator=(const StreamAnswerer&) = delete;

  // Answers every line `reader` gives, writing the records to `output` in input order, until
  // the input ends or the output fails. Rethrows a worker's failure after writing every record
  // made before it.
  void Run(LineReader& reader, OutputBuffer& output);

 private:
  struct Slot {
    std::vector<char> input;  // whole lines and room for a NUL
    std::size_t inputSize = 0;
    OutputBuffer records{OutputBuffer::kInMemory, 0};
    enum class State { kFree, kFilled, kDone } state = State::kFree;
    std::string failure;  // what stopped the worker on this block
  };

  void Work(StreamEncoding encoding);
  // Waits for slot `index` to be answered and writes its records.
  void WriteOut(std::size_t index, OutputBuffer& output);
  // A line too long for a block, in pieces, on the calling thread.
  void AnswerLongLine(LineReader& reader, OutputBuffer& output);

  const CommandLine& commandLine_;
  unsigned workerCount_;
  std::vector<Slot> slots_;
  std::vector<std::thread> workers_;
  std::mutex mutex_;
  std::condition_variable filled_;    // a slot was filled, or the run ends
  std::condition_variable answered_;  // the awaited slot was answered
  std::size_t awaited_ = SIZE_MAX;    // the block WriteOut waits for, counted from 0
  std::size_t nextToAnswer_ = 0;      // the next filled slot a worker takes, counted from 0
  std::size_t filledCount_ = 0;
  bool stopping_ = false;
};

}  // namespace kobal::cli
