// Bytes in and bytes out of the lookup core. The front end supplies the source its input is read
// from and the sink its output goes to (files, standard streams, memory, a test's script), so
// that the core itself makes no system call. Both are called once per large buffer, not per line.
#pragma once

#include <cstddef>
#include <string_view>

namespace kobal::lookup {

class ByteSource {
 public:
  static constexpr std::ptrdiff_t kFailed = -1;

  // Reads up to `size` bytes (at least one asked) into `to`: how many, 0 at the end of the input,
  // or kFailed when it cannot be read (the source keeps what went wrong for its owner). Fewer
  // bytes than asked are not the end.
  virtual std::ptrdiff_t Read(char* to, std::size_t size) = 0;

 protected:
  ~ByteSource() = default;
};

class ByteSink {
 public:
  // Takes all of `bytes`, or returns false when the output failed (the sink keeps what went
  // wrong for its owner); nothing more is written to a sink that failed.
  virtual bool Write(std::string_view bytes) = 0;

 protected:
  ~ByteSink() = default;
};

}  // namespace kobal::lookup
