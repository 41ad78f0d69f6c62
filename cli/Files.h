// kobal-lookup's input and output as the lookup core's byte source and sink: standard input or a
// file, standard output or a file. Reads and writes are retried on interruption and short writes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "lookup/ByteStreams.h"

namespace kobal::cli {

// Standard input ("" or "-"), or the file named `path` (UTF-8).
class InputFile final : public lookup::ByteSource {
 public:
  explicit InputFile(const std::string& path);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // Whether the file could be opened; if not, Error() says why.
  bool IsOpen() const { return fd_ >= 0; }
  // "standard input" or the path, for messages.
  const std::string& Name() const { return name_; }

  std::ptrdiff_t Read(char* to, std::size_t size) override;

  int Error() const { return error_; }  // the errno of the failed open or read

 private:
  std::string name_;
  bool standard_;
  int fd_;
  int error_ = 0;
};

// Standard output (""), or the file named `path` (UTF-8), written to a file beside it and put in
// its place by Keep, so that the file named is whole or untouched.
class OutputFile final : public lookup::ByteSink {
 public:
  explicit OutputFile(const std::string& path);
  // Removes the file beside, unless it was kept.
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // "standard output" or the path, for messages.
  const std::string& Name() const { return name_; }
  // The file beside, for a writer that writes it itself (the workbook's).
  const std::string& Temporary() const { return temporary_; }

  // Creates the file beside; false with Error() set. Standard output is always open.
  bool Open();
  bool Write(std::string_view bytes) override;
  // Closes the file beside and puts it in place (nothing to do for standard output); false with
  // Error() set when it cannot.
  bool Keep();

  int Error() const { return error_; }  // the errno of the failed open, write or keep

 private:
  std::string name_;
  std::string temporary_;  // empty for standard output
  int fd_;
  bool kept_ = false;
  int error_ = 0;
};

}  // namespace kobal::cli
