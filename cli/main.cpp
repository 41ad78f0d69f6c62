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
#include "lookup/DelimitedWriter.h"
#include "lookup/LineAnswerer.h"
#include "lookup/LineReader.h"
#include "lookup/OutputBuffer.h"
#include "lookup/RecordAnswerer.h"
#include "lookup/RecordWriter.h"
#include "lookup/StreamAnswerer.h"
#include "encodings/TextDecoder.h"
#include "lookup/TextForm.h"

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

// Warnings about records: the first hundred, then how many more.
class Warnings {
 public:
  explicit Warnings(std::string name) : name_(std::move(name)) {}
  ~Warnings() {
    if (count_ > kShown) {
      std::fprintf(stderr, "kobal-lookup: %s: %zu more records with warnings\n", name_.c_str(),
                   count_ - kShown);
    }
  }
  void operator()(const std::string& message) {
    if (++count_ <= kShown) {
      std::fprintf(stderr, "kobal-lookup: %s: %s\n", name_.c_str(), message.c_str());
    }
  }

 private:
  static constexpr std::size_t kShown = 100;
  std::string name_;
  std::size_t count_ = 0;
};

// Records: the input as delimited records, the chosen columns answered, written back as
// delimited text or as a workbook.
int AnswerRecords(const kobal::cli::CommandLine& commandLine) {
  using namespace kobal::lookup;
  kobal::cli::InputFile inputFile(commandLine.inputPath);
  const std::string& name = inputFile.Name();
  if (!inputFile.IsOpen()) return Fail(kExitIoError, IoMessage(name, inputFile.Error()));
  std::unique_ptr<char[]> chunk(new char[kobal::kDetectionBytes]);
  bool readFailed = false;
  std::size_t got = ReadFully(inputFile, chunk.get(), kobal::kDetectionBytes, readFailed);
  std::size_t skip = 0;
  const TextForm input =
      DetectTextForm(commandLine.options.inputEncoding, {chunk.get(), got}, skip);
  kobal::TextDecoder decoder(input.encoding);

  // A workbook is written by its writer, to the output's temporary file.
  kobal::cli::OutputFile outputFile(commandLine.outputPath);
  if (!commandLine.xlsx && !outputFile.Open()) {
    return Fail(kExitIoError, IoMessage(outputFile.Name(), outputFile.Error()));
  }
  OutputBuffer output(commandLine.xlsx ? OutputBuffer::kInMemory : &outputFile);

  auto warnings = std::make_shared<Warnings>(name);
  auto warn = [warnings](const std::string& message) { (*warnings)(message); };
  std::unique_ptr<RowSink> sink;
  std::unique_ptr<RecordAnswerer> answerer;
  kobal::cli::XlsxWriter* workbook = nullptr;
  if (commandLine.xlsx) {
#ifdef KOBAL_HAS_XLSX
    const kobal::cli::WorkbookProvenance provenance{
        name, "Written by kobal-lookup " KOBAL_VERSION " from " + name};
    auto writer =
        std::make_unique<kobal::cli::XlsxWriter>(outputFile.Temporary(), provenance, warn);
    workbook = writer.get();
    sink = std::move(writer);
#else
    return Fail(kExitUsage, "this kobal-lookup was built without workbooks (libxlsxwriter)");
#endif
  } else {
    const auto& options = commandLine.options;
    auto layout = [&answerer, &commandLine, &options, input] {
      DelimitedLayout chosen;
      chosen.delimiter = answerer->Delimiter();
      if (commandLine.formatGiven) {
        chosen.delimiter = options.format == kobal::lookup::OutputFormat::kTsv ? '\t' : ',';
      }
      chosen.recordEnd = answerer->RecordEnd().empty() ? "\r\n" : answerer->RecordEnd();
      chosen.form = OutputForm(input, commandLine.recordEncoding);
      chosen.guardFormulas = options.guardFormulas;
      return chosen;
    };
    sink = std::make_unique<DelimitedRows>(layout, [&output](std::string_view bytes) {
      char* const out = output.Reserve(bytes.size());
      std::memcpy(out, bytes.data(), bytes.size());
      output.Commit(out + bytes.size());
    });
  }
  answerer = std::make_unique<RecordAnswerer>(commandLine.recordOptions, *sink, warn);
  try {
    std::size_t from = skip;
    for (;;) {
      const bool final = got < kobal::kDetectionBytes || readFailed;
      answerer->Feed(decoder.Decode({chunk.get() + from, got - from}, final), final);
      if (final || output.Failed()) break;
      from = 0;
      got = ReadFully(inputFile, chunk.get(), kobal::kDetectionBytes, readFailed);
    }
  } catch (const ColumnError& error) {
    return Fail(kExitUsage, name + ": " + error.what());
  }
  if (workbook != nullptr) workbook->Close();
  output.Flush();
  if (output.Failed()) return WriteFailure(outputFile.Name(), outputFile.Error());
  if (readFailed) return Fail(kExitIoError, IoMessage(name, inputFile.Error()));
  if (!outputFile.Keep())
    return Fail(kExitIoError, IoMessage(outputFile.Name(), outputFile.Error()));
  return kExitOk;
}

int Answer(const kobal::cli::CommandLine& commandLine, kobal::lookup::OutputBuffer& output) {
  using namespace kobal::lookup;
  const LookupOptions& options = commandLine.options;
  if (!commandLine.numbers.empty()) {
    RecordWriter writer(options.format, options.encoding, output,
                        {.status = options.status, .guardFormulas = options.guardFormulas});
    LineAnswerer answerer(options.raw, writer);
    for (const char* number : commandLine.numbers) {
      answerer.Answer(number);
      if (output.Failed()) break;
    }
    return kExitOk;
  }
  kobal::cli::InputFile inputFile(commandLine.inputPath);
  if (!inputFile.IsOpen())
    return Fail(kExitIoError, IoMessage(inputFile.Name(), inputFile.Error()));
  LineReader reader(inputFile, options.inputEncoding);
  StreamAnswerer(options, output).Run(reader);
  if (reader.Failed()) {
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
