// Option parsing by getopt_long, as GNU tools parse: "-hV", "--form=csv", "--", options among
// the numbers.
#include "cli/CommandLine.h"

#include <getopt.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>

namespace kobal::cli {
namespace {

using lookup::OutputFormat;

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lowered;
}

std::optional<char> DelimiterNamed(std::string_view name) {
  const std::string lowered = Lowered(name);
  if (lowered == "tab" || lowered == "\\t" || lowered == "\t") return '\t';
  if (lowered == "comma") return ',';
  if (lowered == "semicolon") return ';';
  if (name.size() == 1 && name[0] != '"' && name[0] != '\r' && name[0] != '\n') return name[0];
  return std::nullopt;
}

// "電話番号,FAX" or one name per --column.
void AddColumns(std::string_view list, std::vector<std::string>& columns) {
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = list.find(',', start);
    const std::string_view column = list.substr(start, comma - start);
    if (!column.empty()) columns.emplace_back(column);
    if (comma == std::string_view::npos) return;
    start = comma + 1;
  }
}

enum LongOnly : int {
  kInputEncoding = 256,
  kHeader,
  kNoHeader,
  kCsvRaw,
  kStatus,
  kFields,
};

constexpr option kOptions[] = {
    {"input", required_argument, nullptr, 'i'},
    {"input-encoding", required_argument, nullptr, kInputEncoding},
    {"raw", no_argument, nullptr, 'r'},
    {"format", required_argument, nullptr, 'f'},
    {"encoding", required_argument, nullptr, 'e'},
    {"output", required_argument, nullptr, 'o'},
    {"column", required_argument, nullptr, 'c'},
    {"delimiter", required_argument, nullptr, 'd'},
    {"header", no_argument, nullptr, kHeader},
    {"no-header", no_argument, nullptr, kNoHeader},
    {"status", no_argument, nullptr, kStatus},
    {"fields", required_argument, nullptr, kFields},
    {"csv-raw", no_argument, nullptr, kCsvRaw},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, 'V'},
    {nullptr, 0, nullptr, 0},
};

std::optional<OutputFormat> FormatNamed(std::string_view name) {
  const std::string lowered = Lowered(name);
  if (lowered == "tsv") return OutputFormat::kTsv;
  if (lowered == "csv") return OutputFormat::kCsv;
  if (lowered == "jsonl") return OutputFormat::kJsonLines;
  return std::nullopt;
}

// --input-encoding: "auto" (none), or an encoding by its name; UTF-16's byte order is for the
// input's byte order mark to say, so utf-16le and utf-16be are not taken.
std::optional<std::optional<TextEncoding>> InputEncodingNamed(std::string_view name) {
  const std::string lowered = Lowered(name);
  if (lowered == "auto") return std::optional<TextEncoding>();
  if (lowered == "utf-16le" || lowered == "utf-16be") return std::nullopt;
  if (const auto encoding = TextEncodingNamed(name)) return encoding;
  return std::nullopt;
}

// What went wrong with the option getopt_long just refused.
std::string RefusedOption(char** argv, int index, int shortOption, bool missingValue) {
  const std::string argument = index > 0 ? argv[index - 1] : "";
  if (shortOption != 0 && shortOption != '?' && argument.rfind("--", 0) != 0) {
    const std::string name = std::string("-") + static_cast<char>(shortOption);
    return missingValue ? "option '" + name + "' needs a value" : "unknown option '" + name + "'";
  }
  const std::string name = argument.substr(0, argument.find('='));
  if (missingValue) return "option '" + name + "' needs a value";
  for (const option& known : kOptions) {
    if (known.name != nullptr && "--" + std::string(known.name) == name) {
      return "option '" + name + "' takes no value";
    }
  }
  return "unknown or ambiguous option '" + name + "'";
}

}  // namespace

bool ParseCommandLine(int argc, char** argv, CommandLine& commandLine, std::string& error) {
  bool inputGiven = false;
  std::string encodingName;
  optind = 0;  // glibc starts afresh, for a second parse in one process
  opterr = 0;  // the messages are ours
  for (;;) {
    const int option = getopt_long(argc, argv, ":hVri:f:e:o:c:d:", kOptions, nullptr);
    if (option == -1) break;
    const std::string_view value = optarg != nullptr ? optarg : "";
    switch (option) {
      case 'h':
        commandLine.help = true;
        break;
      case 'V':
        commandLine.version = true;
        break;
      case 'r':
        commandLine.options.raw = true;
        commandLine.recordOptions.raw = true;
        break;
      case 'f':
        if (Lowered(value) == "xlsx") {
          commandLine.xlsx = true;
          commandLine.records = true;
        } else if (const auto format = FormatNamed(value)) {
          commandLine.options.format = *format;
          commandLine.xlsx = false;
        } else {
          error = "unknown format '" + std::string(value) + "' (tsv, csv, jsonl or xlsx)";
          return false;
        }
        commandLine.formatGiven = true;
        break;
      case 'e':
        commandLine.recordEncoding = TextEncodingNamed(value);
        if (!commandLine.recordEncoding) {
          error = "unknown encoding '" + std::string(value) + "' (utf-8, shift_jis or utf-16)";
          return false;
        }
        encodingName = value;
        break;
      case kInputEncoding:
        if (const auto encoding = InputEncodingNamed(value)) {
          commandLine.options.inputEncoding = *encoding;
        } else {
          error = "unknown input encoding '" + std::string(value) +
                  "' (auto, utf-8, shift_jis or utf-16)";
          return false;
        }
        break;
      case 'i':
        if (inputGiven) {
          error = "option '--input' given twice";
          return false;
        }
        if (value.empty()) {
          error = "option '--input' needs a file name";
          return false;
        }
        inputGiven = true;
        commandLine.inputPath = value;
        break;
      case 'o':
        if (value.empty() || value == "-") {
          error = "option '--output' needs a file name";
          return false;
        }
        commandLine.outputPath = value;
        break;
      case 'c':
        AddColumns(value, commandLine.recordOptions.columns);
        commandLine.records = true;
        break;
      case 'd':
        if (const auto delimiter = DelimiterNamed(value)) {
          commandLine.recordOptions.delimiter = *delimiter;
          commandLine.records = true;
        } else {
          error = "unknown delimiter '" + std::string(value) +
                  "' (one character, or tab, comma, semicolon)";
          return false;
        }
        break;
      case kHeader:
      case kNoHeader:
        commandLine.recordOptions.header =
            option == kHeader ? lookup::HeaderRow::kPresent : lookup::HeaderRow::kAbsent;
        commandLine.records = true;
        break;
      case kStatus:
        commandLine.options.status = true;
        break;
      case kFields: {
        std::string why;
        const auto fields = ParseFieldList(value, &why);
        if (!fields) {
          error = "--fields: " + why;
          return false;
        }
        commandLine.options.fields = *fields;
        commandLine.recordOptions.fields = *fields;
        break;
      }
      case kCsvRaw:
        commandLine.options.guardFormulas = false;
        break;
      case ':':
        error = RefusedOption(argv, optind, optopt, true);
        return false;
      default:
        error = RefusedOption(argv, optind, optopt, false);
        return false;
    }
  }
  for (int i = optind; i < argc; ++i) commandLine.numbers.push_back(argv[i]);
  if (commandLine.help || commandLine.version) return true;
  if (commandLine.options.status && !commandLine.options.fields.empty()) {
    error = "'--status' and '--fields' cannot be given together: name status among the fields";
    return false;
  }
  if (inputGiven && !commandLine.numbers.empty()) {
    error = "numbers and '--input' cannot be given together";
    return false;
  }
  if (commandLine.records) {
    if (commandLine.recordOptions.columns.empty()) {
      commandLine.recordOptions.columns.emplace_back("1");  // a list of bare numbers
    }
    if (!commandLine.numbers.empty()) {
      error = "records are read from '--input' or standard input, not from operands";
      return false;
    }
    if (commandLine.formatGiven && !commandLine.xlsx &&
        commandLine.options.format == OutputFormat::kJsonLines) {
      error = "records are written as csv, tsv or xlsx, not jsonl";
      return false;
    }
    if (commandLine.xlsx && commandLine.outputPath.empty()) {
      error = "'--format xlsx' needs '--output FILE'";
      return false;
    }
    return true;
  }
  const bool linesEncodable = commandLine.recordEncoding == TextEncoding::kUtf8 ||
                              commandLine.recordEncoding == TextEncoding::kShiftJis;
  if (!encodingName.empty() && !linesEncodable) {
    error =
        "encoding '" + encodingName + "' is for records ('--column'); lines are utf-8 or shift_jis";
    return false;
  }
  if (linesEncodable) commandLine.options.encoding = *commandLine.recordEncoding;
  if (commandLine.options.format == OutputFormat::kJsonLines &&
      commandLine.options.encoding == TextEncoding::kShiftJis) {
    error = "jsonl output is always UTF-8; '--encoding shift_jis' applies to tsv and csv";
    return false;
  }
  return true;
}

const char* HelpText() {
  return "Usage: kobal-lookup [OPTION]... [NUMBER]...\n"
         "  or:  kobal-lookup --column COLUMN [OPTION]... [--input FILE]\n"
         "Tells what each Japanese telephone number is, as the numbering stood in 2000.\n"
         "\n"
         "Answers each NUMBER, or each line of standard input (or of FILE) when no number\n"
         "is given: one output line per input line, in order, blank lines included.\n"
         "With --column the input is a CSV or TSV file of records instead (see Records).\n"
         "\n"
         "  -i, --input FILE    read the numbers from FILE ('-' for standard input)\n"
         "      --input-encoding ENCODING\n"
         "                      auto (default): a byte order mark decides (UTF-8, UTF-16LE,\n"
         "                      UTF-16BE); without one each line is UTF-8 if it is valid\n"
         "                      UTF-8, else Shift-JIS (code page 932); or utf-8, shift_jis,\n"
         "                      utf-16 (little-endian unless its byte order mark says not)\n"
         "  -r, --raw           pass each line to the lookup unchanged\n"
         "  -f, --format FORMAT tsv (default): number, tab, result\n"
         "                      csv: RFC 4180 records ending in CRLF\n"
         "                      jsonl: {\"input\":...,\"number\":...,\"result\":...} per line;\n"
         "                      number is null when the line is no number\n"
         "                      xlsx: an Excel workbook, with --output (records only)\n"
         "  -e, --encoding ENCODING\n"
         "                      utf-8 (default) or shift_jis: the encoding of every output\n"
         "                      field (tsv and csv only); '?' for what Shift-JIS cannot hold;\n"
         "                      records also utf-16 (default: the input's own)\n"
         "  -o, --output FILE   write FILE (whole or not at all), not standard output\n"
         "      --status        a status field before the result: number or not-a-number\n"
         "      --fields LIST   the fields of each line, and the cells added for each\n"
         "                      column of records, in the order given: a comma-separated\n"
         "                      list of input, number, formatted (03-3520-1234), status,\n"
         "                      kind (fixed, mobile, phs, toll-free, information, service,\n"
         "                      unknown), prefecture, place, ma (unit charge area),\n"
         "                      carrier, region, result; or all. Empty fields are null in\n"
         "                      jsonl; not with --status (name status among the fields)\n"
         "      --csv-raw       CSV cells beginning with = + - @ TAB or CR as they are (by\n"
         "                      default a leading ' makes spreadsheets show them as text)\n"
         "  -h, --help          show this help and exit\n"
         "  -V, --version       show the version and exit\n"
         "\n"
         "Records:\n"
         "  -c, --column NAME|N answer the column of that header name, or number (from 1);\n"
         "                      repeat it or list several: -c 電話番号,FAX\n"
         "  -d, --delimiter C   ',' ';' or tab (default: what the first line holds most)\n"
         "      --header, --no-header\n"
         "                      whether the first record names the columns (default: yes\n"
         "                      when a column is given by name; by number, unless a chosen\n"
         "                      cell of the first record holds a number)\n"
         "  Quoted cells may hold delimiters, quotes and line breaks. Every record is\n"
         "  written back as it was, followed, for each column, by its number, status\n"
         "  (number, not-a-number, empty, missing) and result (or the --fields chosen,\n"
         "  headed COLUMN:field); one line each for a cell holding several numbers.\n"
         "  The output keeps the input's delimiter, record ends,\n"
         "  encoding and byte order mark, so that the file goes straight back into Excel:\n"
         "    kobal-lookup -c 電話番号,FAX -i 顧客一覧.csv -o 顧客一覧-回答.csv\n"
         "    kobal-lookup -c 電話番号 -i 顧客一覧.csv -f xlsx -o 顧客一覧.xlsx\n"
         "\n"
         "Unless --raw, each line is read as a number as people write it: ASCII or full-width\n"
         "digits; spaces, hyphens, dashes, minus signs, long-vowel marks, dots, middle dots,\n"
         "slashes and brackets between them; first a label (TEL, Tel., Telephone, Phone,\n"
         "Mobile, FAX, 電話, 電話番号, 携帯, 携帯電話, ℡, ☎, ☏, 📞, 📱, any case or width,\n"
         "with or without a note in brackets and ':' or '：') or tel:, and a country code\n"
         "(+81, (+81), 0081, 010-81, 81-) with or without the trunk 0; last an extension\n"
         "(内線 123, ext. 123, x 123) or notes ((代), ㈹, （FAX）), dropped. Anything\n"
         "else, letters and masks such as XXXX included, makes the line no number: 不明.\n"
         "CR, VT and FF count as spaces.\n"
         "\n"
         "Exit status: 0 when every line was answered (or the output pipe closed), 1 on a\n"
         "read or write error, 2 on a usage error or a column the header lacks.\n"
         "See kobal-lookup(1).\n";
}

const char* VersionText() { return "kobal-lookup " KOBAL_VERSION "\n"; }

}  // namespace kobal::cli
