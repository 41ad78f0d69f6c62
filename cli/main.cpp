// kobal-lookup: classifies Japanese telephone numbers from arguments, standard input or a file.
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/Platform.h"
#include "lookup/LineAnswerer.h"
#include "lookup/LineReader.h"
#include "lookup/OutputBuffer.h"
#include "lookup/RecordWriter.h"
#include "lookup/StreamAnswerer.h"

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

int Answer(const kobal::cli::CommandLine& commandLine, kobal::lookup::OutputBuffer& output) {
  using namespace kobal::lookup;
  const LookupOptions& options = commandLine.options;
  if (!commandLine.numbers.empty()) {
    RecordWriter writer(options.format, options.encoding, output);
    LineAnswerer answerer(options.raw, writer);
    for (const char* number : commandLine.numbers) {
      answerer.Answer(number);
      if (output.Failed()) break;
    }
    return kExitOk;
  }
  const bool fromStdin = commandLine.inputPath.empty() || commandLine.inputPath == "-";
  const std::string name = fromStdin ? "standard input" : commandLine.inputPath;
  const int fd = fromStdin ? STDIN_FILENO : kobal::cli::OpenInput(name);
  if (fd < 0) return Fail(kExitIoError, IoMessage(name, errno));
  LineReader reader(fd, options.inputEncoding);
  StreamAnswerer(options, output).Run(reader);
  if (!fromStdin) kobal::cli::CloseInput(fd);
  if (reader.Failed()) {
    output.Flush();  // the lines answered before the error still count
    return Fail(kExitIoError, IoMessage(name, reader.Error()));
  }
  return kExitOk;
}

int Run(const kobal::cli::CommandLine& commandLine) {
  kobal::lookup::OutputBuffer output(STDOUT_FILENO);
  int status = kExitOk;
  try {
    status = Answer(commandLine, output);
  } catch (const std::exception& failure) {
    output.Flush();  // every answer made before the failure is written
    return Fail(kExitIoError, failure.what());
  }
  output.Flush();
  if (output.Failed()) return Fail(kExitIoError, IoMessage("standard output", output.Error()));
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
  // A closed pipe is a write error with its message, not a silent end.
#ifdef SIGPIPE  // Windows has none: a write to a closed pipe fails there already
  std::signal(SIGPIPE, SIG_IGN);
#endif
  return Run(commandLine);
}
