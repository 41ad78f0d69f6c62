// The conversions by the server's own functions, and the answers in its encoding by number.
#include "postgresql/src/ServerText.h"

#include <cstdint>
#include <cstring>

extern "C" {
#include "postgres.h"  // before any other of the server's headers
}
extern "C" {
#include "mb/pg_wchar.h"
#include "utils/builtins.h"
#include "utils/memutils.h"
}

namespace kobal::postgresql {
namespace {

struct Converted {
  char* bytes;  // null until the answer is first met; in TopMemoryContext
  int length;
};

struct InServer {
  const char* bytes;
  int length;
};

// UTF-8 `text` in the database's encoding: its own bytes (not NUL-terminated) where nothing was
// converted, else a new string in the current memory context.
InServer ToServer(const KobalSqlText& text) {
  const char* converted = pg_any_to_server(text.bytes, static_cast<int>(text.length), PG_UTF8);
  return {converted, converted == text.bytes ? static_cast<int>(text.length)
                                             : static_cast<int>(std::strlen(converted))};
}

// A backend serves one database, so its encoding and these texts hold for the process.
Converted* converted = nullptr;
std::uint32_t convertedSize = 0;

const Converted& ConvertedAnswer(const KobalSqlText& answer) {
  if (answer.number >= convertedSize) {
    std::uint32_t size = convertedSize == 0 ? 64 : convertedSize;
    while (size <= answer.number) size *= 2;
    const Size bytes = sizeof(Converted) * size;
    converted = static_cast<Converted*>(converted == nullptr
                                            ? MemoryContextAllocZero(TopMemoryContext, bytes)
                                            : repalloc(converted, bytes));
    std::memset(converted + convertedSize, 0, sizeof(Converted) * (size - convertedSize));
    convertedSize = size;
  }
  Converted& entry = converted[answer.number];
  if (entry.bytes == nullptr) {
    const InServer text = ToServer(answer);
    char* kept = static_cast<char*>(MemoryContextAlloc(TopMemoryContext, text.length + 1));
    std::memcpy(kept, text.bytes, text.length);
    kept[text.length] = '\0';
    entry = {kept, text.length};
  }
  return entry;
}

}  // namespace

Utf8Argument ArgumentUtf8(const varlena* argument) {
  const char* bytes = VARDATA_ANY(argument);
  const int length = static_cast<int>(VARSIZE_ANY_EXHDR(argument));
  if (GetDatabaseEncoding() == PG_UTF8) return {bytes, static_cast<std::size_t>(length)};
  const char* utf8 = pg_server_to_any(bytes, length, PG_UTF8);
  // The server's text holds no NUL, nor does its conversion.
  return {utf8, utf8 == bytes ? static_cast<std::size_t>(length) : std::strlen(utf8)};
}

varlena* ServerText(const KobalSqlText& answer) {
  if (GetDatabaseEncoding() == PG_UTF8) {
    return cstring_to_text_with_len(answer.bytes, static_cast<int>(answer.length));
  }
  if (answer.number == KOBAL_SQL_UNNUMBERED) {
    const InServer text = ToServer(answer);
    return cstring_to_text_with_len(text.bytes, text.length);
  }
  const Converted& text = ConvertedAnswer(answer);
  return cstring_to_text_with_len(text.bytes, text.length);
}

}  // namespace kobal::postgresql
