// kobal-lookup: classifies Japanese telephone numbers from arguments, standard input or a file.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/Files.h"
#include "cli/Platform.h"
#include "cli/XlsxWriter.h"
#include "lookup/ByteStreams.h"
#include "lookup/lines/LineStream.h"
#include "lookup/lines/OutputBuffer.h"
#include "lookup/records/RecordStream.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitIoError = 1;
constexpr int kExitUsage = 2;

int Fail(int status, const std::string& message) {
  std::fprintf(stderr, "kobal-lookup: %s\n", message.c_str());
  return status;
}

std::string IoMessage(const std::string& name, int error) {
  return name + ": " + std::strerror(error);
}

// A closed pipe ends the run quietly, as it ends cat: SIGPIPE when it is not ignored, else
// status 0 and no message.
int WriteFailure(const std::string& name, int error) {
  return error == EPIPE ? kExitOk : Fail(kExitIoError, IoMessage(name, error));
}

// Reads up to `size` bytes, whole unless the input ends or fails (then `failed` is set).
std::size_t ReadFully(kobal::lookup::ByteSource& source, char* to, std::size_t size, bool& failed) {
  std::size_t got = 0;
  while (got < size) {
    const std::ptrdiff_t more = source.Read(to + got, size - got);
    if (more == 0) break;
    if (more < 0) {
      failed = true;
      break;
    }
    got += static_cast<std::size_t>(more);
  }
  return got;
}

// Tells how many warnings were not, when the records are done however they end.
class UntoldWarnings {
 public:
  UntoldWarnings(const kobal::lookup::RecordStream& stream, const std::string& name)
      : stream_(stream), name_(name) {}
  UntoldWarnings(const UntoldWarnings&) = delete;
  UntoldWarnings& operator=(const UntoldWarnings&) = delete;
  ~UntoldWarnings() {
    if (stream_.Untold() > 0) {
      std::fprintf(stderr, "kobal-lookup: %s: %zu more records with warnings\n", name_.c_str(),
                   stream_.Untold());
    }
  }

 private:
  const kobal::lookup::RecordStream& stream_;
  const std::string& name_;
};

// Records: the input as delimited records, the chosen columns answered, written back as
// delimited text or as a workbook.
int AnswerRecords(const kobal::cli::CommandLine& commandLine) {
  using namespace kobal::lookup;
  kobal::cli::InputFile inputFile(commandLine.inputPath);
  const std::string& name = inputFile.Name();
  if (!inputFile.IsOpen()) return Fail(kExitIoError, IoMessage(name, inputFile.Error()));

  RecordOptions options = commandLine.recordOptions;
  options.inputEncoding = commandLine.options.inputEncoding;
  if (commandLine.formatGiven) {
    options.outputDelimiter = commandLine.options.format == OutputFormat::kTsv ? '\t' : ',';
  }
  options.outputEncoding = commandLine.recordEncoding;
  options.guardFormulas = commandLine.options.guardFormulas;
  RecordStream stream(std::move(options), [&name](const std::string& message) {
    std::fprintf(stderr, "kobal-lookup: %s: %s\n", name.c_str(), message.c_str());
  });
  const UntoldWarnings untold(stream, name);

  // A workbook is written by its writer, to the output's temporary file.
  kobal::cli::OutputFile outputFile(commandLine.outputPath);
  if (!commandLine.xlsx && !outputFile.Open()) {
    return Fail(kExitIoError, IoMessage(outputFile.Name(), outputFile.Error()));
  }
  OutputBuffer output(commandLine.xlsx ? OutputBuffer::kInMemory : &outputFile);
  std::unique_ptr<kobal::cli::XlsxWriter> workbook;
  if (commandLine.xlsx) {
#ifdef KOBAL_HAS_XLSX
    const kobal::cli::WorkbookProvenance provenance{
        name, "Written by kobal-lookup " KOBAL_VERSION " from " + name};
    workbook = std::make_unique<kobal::cli::XlsxWriter>(
        outputFile.Temporary(), provenance,
        [&stream](const std::string& message) { stream.Warning(message); });
    stream.Begin(workbook.get(), nullptr);
#else
    return Fail(kExitUsage, "this kobal-lookup was built without workbooks (libxlsxwriter)");
#endif
  } else {
    stream.Begin(nullptr, [&output](std::string_view bytes) {
      char* const out = output.Reserve(bytes.size());
      std::memcpy(out, bytes.data(), bytes.size());
      output.Commit(out + bytes.size());
    });
  }
  std::unique_ptr<char[]> chunk(new char[kobal::kDetectionBytes]);
  bool readFailed = false;
  try {
    for (;;) {
      const std::size_t got = ReadFully(inputFile, chunk.get(), kobal::kDetectionBytes, readFailed);
      stream.Feed({chunk.get(), got});
      if (got < kobal::kDetectionBytes || readFailed || output.Failed()) break;
    }
    if (!output.Failed()) stream.Finish();
  } catch (const ColumnError& error) {
    return Fail(kExitUsage, name + ": " + error.what());
  }
  if (workbook) workbook->Close();
  output.Flush();
  if (output.Failed()) return WriteFailure(outputFile.Name(), outputFile.Error());
  if (readFailed) return Fail(kExitIoError, IoMessage(name, inputFile.Error()));
  if (!outputFile.Keep())
    return Fail(kExitIoError, IoMessage(outputFile.Name(), outputFile.Error()));
  return kExitOk;
}

int Answer(const kobal::cli::CommandLine& commandLine, kobal::lookup::OutputBuffer& output) {
  using namespace kobal::lookup;
  LineStream lines(commandLine.options, output);
  if (!commandLine.numbers.empty()) {
    for (const char* number : commandLine.numbers) {
      lines.AnswerLine(number);
      if (output.Failed()) break;
    }
    return kExitOk;
  }
  kobal::cli::InputFile inputFile(commandLine.inputPath);
  if (!inputFile.IsOpen())
    return Fail(kExitIoError, IoMessage(inputFile.Name(), inputFile.Error()));
  if (!AnswerLines(inputFile, lines, output)) {
    output.Flush();  // the lines answered before the error still count
    return Fail(kExitIoError, IoMessage(inputFile.Name(), inputFile.Error()));
  }
  return kExitOk;
}

int Run(const kobal::cli::CommandLine& commandLine) {
  if (commandLine.records) {
    try {
      return AnswerRecords(commandLine);
    } catch (const std::exception& failure) {
      return Fail(kExitIoError, failure.what());
    }
  }
  kobal::cli::OutputFile outputFile(commandLine.outputPath);
  if (!outputFile.Open())
    return Fail(kExitIoError, IoMessage(outputFile.Name(), outputFile.Error()));
  kobal::lookup::OutputBuffer output(&outputFile);
  int status = kExitOk;
  try {
    status = Answer(commandLine, output);
  } catch (const std::exception& failure) {
    output.Flush();  // every answer made before the failure is written
    return Fail(kExitIoError, failure.what());
  }
  output.Flush();
  if (output.Failed()) return WriteFailure(outputFile.Name(), outputFile.Error());
  if (status == kExitOk && !outputFile.Keep()) {
    return Fail(kExitIoError, IoMessage(outputFile.Name(), outputFile.Error()));
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments = kobal::cli::Utf8Arguments(argc, argv);
  std::vector<char*> utf8Argv;
  for (std::string& argument : arguments) utf8Argv.push_back(argument.data());
  utf8Argv.push_back(nullptr);
  kobal::cli::CommandLine commandLine;
  std::string error;
  if (!kobal::cli::ParseCommandLine(static_cast<int>(arguments.size()), utf8Argv.data(),
                                    commandLine, error)) {
    return Fail(kExitUsage, error + " (see 'kobal-lookup --help')");
  }
  kobal::cli::PrepareStandardStreams(commandLine.options.encoding);
  if (commandLine.help || commandLine.version) {
    std::fputs(commandLine.help ? kobal::cli::HelpText() : kobal::cli::VersionText(), stdout);
    return std::fflush(stdout) == 0 ? kExitOk : Fail(kExitIoError, "standard output: write error");
  }
  return Run(commandLine);
}
