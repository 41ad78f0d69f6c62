// Texts between the database's encoding and the UTF-8 that the answers are made in. The
// database converts; an answer's text in its encoding is made once per answer and kept.
#pragma once

#include <cstddef>

#include "postgresql/src/SqlAnswers.h"

struct varlena;  // the server's text

namespace kobal::postgresql {

// An argument's bytes as UTF-8: its own when the database is UTF-8, else a converted copy in the
// current memory context. Trivially destructible, so it may live across a database error.
struct Utf8Argument {
  const char* bytes;
  std::size_t length;
};

// Raises the database's error where the text has no UTF-8 (a SQL_ASCII database's bytes).
Utf8Argument ArgumentUtf8(const varlena* argument);

// A new text of `answer` in the database's encoding, in the current memory context (a numbered
// answer converted once per backend). Raises the database's error where the encoding cannot
// write it.
varlena* ServerText(const KobalSqlText& answer);

}  // namespace kobal::postgresql
