// Field writers for tab-separated, comma-separated and JSON output.
#include "FieldEscape.h"

#include <cstring>

#include "Utf8.h"

namespace kobal::cli {
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

bool NeedsCsvQuotes(std::string_view field) {
  return field.find_first_of(",\"\r\n") != std::string_view::npos;
}

}  // namespace

char* WriteTsvField(std::string_view field, char* out) {
  for (const char c : field) {
    const char* escape = BackslashEscape(c);
    if (escape != nullptr) {
      out = Append(out, escape);
    } else {
      *out++ = c;
    }
  }
  return out;
}

char* WriteCsvField(std::string_view field, bool replaceInvalid, char* out) {
  const bool quoted = NeedsCsvQuotes(field);
  if (quoted) *out++ = '"';
  const auto* p = reinterpret_cast<const unsigned char*>(field.data());
  const auto* const end = p + field.size();
  while (p < end) {
    if (*p < 0x80 || !replaceInvalid) {
      if (*p == '"') *out++ = '"';
      *out++ = static_cast<char>(*p++);
      continue;
    }
    const Utf8Sequence sequence = DecodeUtf8(p, end);
    if (sequence.valid) {
      out = Append(out, {reinterpret_cast<const char*>(p), sequence.length});
    } else {
      out = Append(out, kReplacementCharacter);
    }
    p += sequence.length;
  }
  if (quoted) *out++ = '"';
  return out;
}

char* WriteJsonString(std::string_view field, char* out) {
  static constexpr char kHex[] = "0123456789abcdef";
  *out++ = '"';
  const auto* p = reinterpret_cast<const unsigned char*>(field.data());
  const auto* const end = p + field.size();
  while (p < end) {
    const unsigned char c = *p;
    if (c >= 0x80) {
      const Utf8Sequence sequence = DecodeUtf8(p, end);
      out = sequence.valid ? Append(out, {reinterpret_cast<const char*>(p), sequence.length})
                           : Append(out, "\\ufffd");
      p += sequence.length;
      continue;
    }
    ++p;
    if (const char* escape = BackslashEscape(static_cast<char>(c)); escape != nullptr) {
      out = Append(out, escape);
    } else if (c == '"') {
      out = Append(out, "\\\"");
    } else if (c < 0x20 || c == 0x7F) {
      out = Append(out, "\\u00");
      *out++ = kHex[c >> 4];
      *out++ = kHex[c & 0x0F];
    } else {
      *out++ = static_cast<char>(c);
    }
  }
  *out++ = '"';
  return out;
}

}  // namespace kobal::cli
