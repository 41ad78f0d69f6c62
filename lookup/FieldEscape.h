// Escaping of one field for each output format, written straight into a reserved buffer.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "lookup/lines/LineOptions.h"

namespace kobal::lookup {

// The most bytes any of the writers below produces for a field of `length` bytes
// (a JSON "\u00XX" or "\ufffd" escape per byte, and the quotes).
constexpr std::size_t MaxEscapedSize(std::size_t length) { return 6 * length + 2; }

// What becomes of the text of a field on its way out: beside an encoding, bytes kept as read.
enum class FieldBytes {
  kKept,      // every byte as it is, invalid UTF-8 and Shift-JIS included
  kUtf8,      // UTF-8, each invalid sequence replaced by U+FFFD so that the file decodes
  kShiftJis,  // UTF-8 written as code page 932; "?" for what it cannot hold or is not UTF-8
};

// Tab-separated: "\" "\t" "\n" "\r" become backslash escapes. With kKept undoing these four
// escapes gives back the field's bytes. Not for Shift-JIS bytes, whose trail bytes may be "\".
char* WriteTsvField(std::string_view field, FieldBytes bytes, char* out);

// How a CSV cell is written: RFC 4180 for its delimiter, and what spreadsheets need of it.
struct CsvRules {
  char delimiter = ',';
  // A cell a spreadsheet would evaluate gets quotes and a leading apostrophe, as OWASP advises
  // for CSV injection: Excel and LibreOffice then show it as text, never run it.
  bool guardFormulas = false;
  // Digits with a leading zero, which a spreadsheet would read as a number without it: quoted,
  // so that "quoted field as text" (LibreOffice) keeps them as written.
  bool quoteLeadingZeros = false;
};

// Whether a spreadsheet would evaluate a cell beginning so: =, +, -, @, TAB or CR.
bool LooksLikeFormula(std::string_view cell);

// A CSV cell: quoted, with quotes doubled, when it holds the delimiter, a quote, CR or LF, or
// when `rules` ask for it.
char* WriteCsvCell(std::string_view cell, FieldBytes bytes, const CsvRules& rules, char* out);
// A cell by RFC 4180 alone, comma-delimited.
inline char* WriteCsvField(std::string_view field, FieldBytes bytes, char* out) {
  return WriteCsvCell(field, bytes, CsvRules{}, out);
}
// The inside of a quoted CSV field: quotes doubled.
char* WriteCsvText(std::string_view field, FieldBytes bytes, char* out);

// A JSON string with its quotes: control characters and DEL as escapes, each invalid UTF-8
// sequence as "\ufffd", everything else as its UTF-8 bytes.
char* WriteJsonString(std::string_view field, char* out);
// The inside of a JSON string.
char* WriteJsonText(std::string_view field, char* out);

// The library's Shift-JIS `answer` as a result field of `format`, in `encoding` (UTF-8 or
// Shift-JIS).
std::string AnswerField(std::string_view answer, OutputFormat format, TextEncoding encoding);

}  // namespace kobal::lookup
