// Option parsing: long options with "--name value" or "--name=value", "--" ends options.
#include "cli/CommandLine.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>

namespace kobal::cli {
namespace {

using lookup::OutputEncoding;
using lookup::OutputFormat;

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lowered;
}

std::optional<OutputFormat> FormatNamed(std::string_view name) {
  const std::string lowered = Lowered(name);
  if (lowered == "tsv") return OutputFormat::kTsv;
  if (lowered == "csv") return OutputFormat::kCsv;
  if (lowered == "jsonl") return OutputFormat::kJsonLines;
  return std::nullopt;
}

bool IsUtf8Name(const std::string& lowered) { return lowered == "utf-8" || lowered == "utf8"; }

bool IsShiftJisName(const std::string& lowered) {
  return lowered == "shift_jis" || lowered == "shift-jis" || lowered == "sjis" ||
         lowered == "cp932";
}

std::optional<OutputEncoding> EncodingNamed(std::string_view name) {
  const std::string lowered = Lowered(name);
  if (IsUtf8Name(lowered)) return OutputEncoding::kUtf8;
  if (IsShiftJisName(lowered)) return OutputEncoding::kShiftJis;
  return std::nullopt;
}

std::optional<InputEncoding> InputEncodingNamed(std::string_view name) {
  const std::string lowered = Lowered(name);
  if (lowered == "auto") return InputEncoding::kAuto;
  if (IsUtf8Name(lowered)) return InputEncoding::kUtf8;
  if (IsShiftJisName(lowered)) return InputEncoding::kShiftJis;
  if (lowered == "utf-16" || lowered == "utf16") return InputEncoding::kUtf16;
  return std::nullopt;
}

}  // namespace

bool ParseCommandLine(int argc, char** argv, CommandLine& commandLine, std::string& error) {
  bool inputGiven = false;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
      commandLine.numbers.push_back(argv[i]);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    std::string_view name = argument;
    std::optional<std::string_view> value;
    if (const auto equals = argument.find('='); equals != std::string_view::npos) {
      name = argument.substr(0, equals);
      value = argument.substr(equals + 1);
    }
    const bool takesValue = name == "--format" || name == "--encoding" || name == "--input" ||
                            name == "--input-encoding";
    if (takesValue && !value) {
      if (i + 1 == argc) {
        error = "option '" + std::string(name) + "' needs a value";
        return false;
      }
      value = argv[++i];
    } else if (!takesValue && value) {
      error = "option '" + std::string(name) + "' takes no value";
      return false;
    }

    if (name == "--raw") {
      commandLine.options.raw = true;
    } else if (name == "--help" || name == "-h") {
      commandLine.help = true;
    } else if (name == "--version" || name == "-V") {
      commandLine.version = true;
    } else if (name == "--format") {
      const auto format = FormatNamed(*value);
      if (!format) {
        error = "unknown format '" + std::string(*value) + "' (tsv, csv or jsonl)";
        return false;
      }
      commandLine.options.format = *format;
    } else if (name == "--encoding") {
      const auto encoding = EncodingNamed(*value);
      if (!encoding) {
        error = "unknown encoding '" + std::string(*value) + "' (utf-8 or shift_jis)";
        return false;
      }
      commandLine.options.encoding = *encoding;
    } else if (name == "--input-encoding") {
      const auto encoding = InputEncodingNamed(*value);
      if (!encoding) {
        error = "unknown input encoding '" + std::string(*value) +
                "' (auto, utf-8, shift_jis or utf-16)";
        return false;
      }
      commandLine.options.inputEncoding = *encoding;
    } else if (name == "--input") {
      if (inputGiven) {
        error = "option '--input' given twice";
        return false;
      }
      if (value->empty()) {
        error = "option '--input' needs a file name";
        return false;
      }
      inputGiven = true;
      commandLine.inputPath = *value;
    } else {
      error = "unknown option '" + std::string(argument) + "'";
      return false;
    }
  }
  if (commandLine.help || commandLine.version) return true;
  if (inputGiven && !commandLine.numbers.empty()) {
    error = "numbers and '--input' cannot be given together";
    return false;
  }
  if (commandLine.options.format == OutputFormat::kJsonLines &&
      commandLine.options.encoding == OutputEncoding::kShiftJis) {
    error = "jsonl output is always UTF-8; '--encoding shift_jis' applies to tsv and csv";
    return false;
  }
  return true;
}

const char* HelpText() {
  return "Usage: kobal-lookup [OPTION]... [NUMBER]...\n"
         "Tells what each Japanese telephone number is, as the numbering stood in 2000.\n"
         "\n"
         "Answers each NUMBER, or each line of standard input (or of FILE) when no number\n"
         "is given: one output line per input line, in order, blank lines included.\n"
         "\n"
         "  --input FILE        read the numbers from FILE ('-' for standard input)\n"
         "  --input-encoding ENCODING\n"
         "                      auto (default): a byte order mark decides (UTF-8, UTF-16LE,\n"
         "                      UTF-16BE); without one each line is UTF-8 if it is valid\n"
         "                      UTF-8, else Shift-JIS (code page 932); or utf-8, shift_jis,\n"
         "                      utf-16 (little-endian unless its byte order mark says not)\n"
         "  --raw               pass each line to the lookup unchanged\n"
         "  --format FORMAT     tsv (default): number, tab, result\n"
         "                      csv: RFC 4180 records ending in CRLF\n"
         "                      jsonl: {\"input\":...,\"number\":...,\"result\":...} per line;\n"
         "                      number is null when the line is no number\n"
         "  --encoding ENCODING utf-8 (default) or shift_jis: the encoding of every output\n"
         "                      field (tsv and csv only); '?' for what Shift-JIS cannot hold\n"
         "  -h, --help          show this help and exit\n"
         "  -V, --version       show the version and exit\n"
         "\n"
         "Unless --raw, each line is read as a number as people write it: ASCII or full-width\n"
         "digits; spaces, hyphens, dashes, minus signs, long-vowel marks, dots, middle dots,\n"
         "slashes and brackets between them; first a label (TEL, Tel., Telephone, Phone,\n"
         "Mobile, FAX, 電話, 電話番号, 携帯, 携帯電話, ℡, ☎, ☏, 📞, 📱, any case or width,\n"
         "with or without a note in brackets and ':' or '：') or tel:, and a country code\n"
         "(+81, (+81), 0081, 010-81, 81-) with or without the trunk 0; last an extension\n"
         "(内線 123, ext. 123, x 123) or notes ((代), ㈹, （FAX）), dropped. Anything\n"
         "else, letters and masks such as XXXX included, makes the line no number: 不明.\n"
         "\n"
         "Exit status: 0 when every line was answered, 1 on a read or write error,\n"
         "2 on a usage error. See kobal-lookup(1).\n";
}

const char* VersionText() { return "kobal-lookup " KOBAL_VERSION "\n"; }

}  // namespace kobal::cli
