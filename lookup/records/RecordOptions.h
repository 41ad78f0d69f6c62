// The choices of a run over delimited records, whoever makes them (a command line, the page), in
// one value: every default is here and nowhere else.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "encodings/TextEncoding.h"
#include "fields/Field.h"
#include "lookup/records/TextForm.h"

namespace kobal::lookup {

enum class HeaderRow { kAuto, kPresent, kAbsent };

struct RecordOptions {
  std::vector<std::string> columns;  // header names, or 1-based numbers
  char delimiter = '\0';             // '\0': as the first line suggests
  HeaderRow header = HeaderRow::kAuto;
  bool raw = false;
  // The cells appended for each chosen column, named "COLUMN:field" in the header row.
  std::vector<Field> fields = {Field::kNumber, Field::kStatus, Field::kResult};
  std::optional<TextEncoding> inputEncoding = std::nullopt;  // none: settled by the file's start

  // Written back: the input's delimiter, record end and form unless chosen.
  std::optional<char> outputDelimiter = std::nullopt;
  std::optional<TextEncoding> outputEncoding = std::nullopt;
  std::string recordEnd = "\r\n";  // when the input ends no record
  bool guardFormulas = true;       // cells a spreadsheet would evaluate are written as text

  std::size_t warningsTold = 100;  // the rest are only counted
};

}  // namespace kobal::lookup
