// Field writers for tab-separated, comma-separated and JSON output.
#include "lookup/FieldEscape.h"

#include <cstring>

#include "encodings/Cp932.h"
#include "encodings/Utf8.h"

namespace kobal::lookup {
namespace {

char* Append(char* out, std::string_view bytes) {
  std::memcpy(out, bytes.data(), bytes.size());
  return out + bytes.size();
}

// The backslash escapes that TSV and JSON spell alike; nullptr for any other character.
const char* BackslashEscape(char c) {
  switch (c) {
    case '\\':
      return "\\\\";
    case '\t':
      return "\\t";
    case '\n':
      return "\\n";
    case '\r':
      return "\\r";
    default:
      return nullptr;
  }
}

bool HasLeadingZero(std::string_view cell) {
  return cell.size() > 1 && cell.front() == '0' &&
         cell.find_first_not_of("0123456789") == std::string_view::npos;
}

// Walks the field: `ascii` writes each ASCII byte; every other character is written as
// `bytes` says, with `invalid` for a sequence that is not UTF-8.
template <typename AsciiWriter>
char* WriteText(std::string_view field, FieldBytes bytes, std::string_view invalid,
                AsciiWriter ascii, char* out) {
  const auto* p = reinterpret_cast<const unsigned char*>(field.data());
  const auto* const end = p + field.size();
  while (p < end) {
    if (*p < 0x80) {
      out = ascii(static_cast<char>(*p++), out);
      continue;
    }
    if (bytes == FieldBytes::kKept) {
      *out++ = static_cast<char>(*p++);
      continue;
    }
    const Utf8Sequence sequence = DecodeUtf8(p, end);
    if (!sequence.valid) {
      out = Append(out, invalid);
    } else if (bytes == FieldBytes::kShiftJis) {
      out = WriteCp932(sequence.codePoint, out);
    } else {
      out = Append(out, {reinterpret_cast<const char*>(p), sequence.length});
    }
    p += sequence.length;
  }
  return out;
}

std::string_view InvalidAs(FieldBytes bytes) {
  return bytes == FieldBytes::kShiftJis ? "?" : kReplacementCharacter;
}

}  // namespace

char* WriteTsvField(std::string_view field, FieldBytes bytes, char* out) {
  if (bytes == FieldBytes::kKept) {  // byte by byte, the common case made short
    for (const char c : field) {
      // Only "\\" and three control characters are escaped: one compare for most bytes.
      const bool plain = c != '\\' && static_cast<unsigned char>(c) >= ' ';
      const char* escape = plain ? nullptr : BackslashEscape(c);
      if (escape == nullptr) {
        *out++ = c;
      } else {
        out = Append(out, escape);
      }
    }
    return out;
  }
  return WriteText(
      field, bytes, InvalidAs(bytes),
      [](char c, char* to) {
        const char* escape = BackslashEscape(c);
        if (escape == nullptr) {
          *to++ = c;
          return to;
        }
        return Append(to, escape);
      },
      out);
}

char* WriteCsvText(std::string_view field, FieldBytes bytes, char* out) {
  return WriteText(
      field, bytes, InvalidAs(bytes),
      [](char c, char* to) {
        if (c == '"') *to++ = '"';
        *to++ = c;
        return to;
      },
      out);
}

bool LooksLikeFormula(std::string_view cell) {
  return !cell.empty() && std::string_view("=+-@\t\r").find(cell.front()) != std::string_view::npos;
}

char* WriteCsvCell(std::string_view cell, FieldBytes bytes, const CsvRules& rules, char* out) {
  const char special[] = {'"', '\r', '\n', rules.delimiter};
  const bool guarded = rules.guardFormulas && LooksLikeFormula(cell);
  const bool quoted = guarded || (rules.quoteLeadingZeros && HasLeadingZero(cell)) ||
                      cell.find_first_of(std::string_view(special, 4)) != std::string_view::npos;
  if (quoted) *out++ = '"';
  if (guarded) *out++ = '\'';
  out = WriteCsvText(cell, bytes, out);
  if (quoted) *out++ = '"';
  return out;
}

char* WriteJsonText(std::string_view field, char* out) {
  return WriteText(
      field, FieldBytes::kUtf8, "\\ufffd",
      [](char c, char* to) {
        static constexpr char kHex[] = "0123456789abcdef";
        const auto byte = static_cast<unsigned char>(c);
        if (const char* escape = BackslashEscape(c); escape != nullptr) {
          return Append(to, escape);
        }
        if (c == '"') return Append(to, "\\\"");
        if (byte < 0x20 || byte == 0x7F) {
          to = Append(to, "\\u00");
          *to++ = kHex[byte >> 4];
          *to++ = kHex[byte & 0x0F];
          return to;
        }
        *to++ = c;
        return to;
      },
      out);
}

char* WriteJsonString(std::string_view field, char* out) {
  *out++ = '"';
  out = WriteJsonText(field, out);
  *out++ = '"';
  return out;
}

std::string AnswerField(std::string_view answer, OutputFormat format, TextEncoding encoding) {
  std::string text;
  if (encoding == TextEncoding::kUtf8) {
    AppendCp932AsUtf8(answer, true, text);
  } else {
    text.assign(answer);
  }
  std::string field(MaxEscapedSize(text.size()), '\0');
  char* const start = field.data();
  char* end = start;
  switch (format) {
    case OutputFormat::kTsv:
      // Shift-JIS trail bytes may be "\", so only UTF-8 text goes through the escaper.
      end = encoding == TextEncoding::kUtf8 ? WriteTsvField(text, FieldBytes::kKept, start)
                                            : text.copy(start, text.size()) + start;
      break;
    case OutputFormat::kCsv:
      end = WriteCsvField(
          text, encoding == TextEncoding::kUtf8 ? FieldBytes::kUtf8 : FieldBytes::kKept, start);
      break;
    case OutputFormat::kJsonLines:
      end = WriteJsonString(text, start);
      break;
  }
  field.resize(static_cast<std::size_t>(end - start));
  return field;
}

}  // namespace kobal::lookup
