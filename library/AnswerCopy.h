// The one way the library writes its answer: a generated text of known size into the caller's
// buffer, without a library call.
#pragma once

#include <cstddef>
#include <cstring>

#include "kobal/KobalFnc.h"
#include "tables/Tables.h"

namespace kobal {

// Copies bytes [begin, begin + N) of `text` to `result`. Fixed-size memcpy calls are single
// register moves, where a variable-size one is a call.
template <std::size_t N>
inline void MoveBytes(char* result, const char* text, std::size_t begin) {
  char bytes[N];
  std::memcpy(bytes, text + begin, N);
  std::memcpy(result + begin, bytes, N);
}

// Writes the answer's bytes and the NUL that ends them at the start of `result`, and not one
// byte after it: callers may keep data behind the answer. Two moves of a fixed size that may
// overlap (the first and the last N bytes) cover every count from N to 2N, so a handful of
// branches replaces strlen and memcpy. Sizes come from the generated tables, which assert that
// each text fits KOBAL_RESULT_SIZE with its NUL.
inline void WriteAnswer(char* result, const AnswerText& answer) {
  constexpr std::size_t kMove = 16;
  static_assert(KOBAL_RESULT_SIZE <= 3 * kMove, "answers longer than three 16-byte moves");
  const char* text = answer.text;
  const std::size_t count = static_cast<std::size_t>(answer.size) + 1;  // the NUL goes too
  if (count >= kMove) {
    MoveBytes<kMove>(result, text, 0);
    if (count > 2 * kMove) MoveBytes<kMove>(result, text, kMove);
    MoveBytes<kMove>(result, text, count - kMove);
  } else if (count >= 8) {
    MoveBytes<8>(result, text, 0);
    MoveBytes<8>(result, text, count - 8);
  } else if (count >= 4) {
    MoveBytes<4>(result, text, 0);
    MoveBytes<4>(result, text, count - 4);
  } else if (count >= 2) {
    MoveBytes<2>(result, text, 0);
    MoveBytes<2>(result, text, count - 2);
  } else {
    result[0] = text[0];
  }
}

}  // namespace kobal
