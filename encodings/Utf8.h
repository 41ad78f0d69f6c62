// Decoding of one UTF-8 sequence, reporting broken input the way replacement decoders do.
#pragma once

#include <cstddef>
#include <string_view>

namespace kobal {

struct Utf8Sequence {
  char32_t codePoint;  // meaningful only when valid
  std::size_t length;  // bytes consumed: the whole sequence, or the maximal invalid subpart
  bool valid;
};

// Decodes the sequence starting at `p` (p < end). An invalid sequence consumes its maximal
// subpart (at least one byte), so that each one becomes exactly one U+FFFD when replaced.
Utf8Sequence DecodeUtf8(const unsigned char* p, const unsigned char* end);

// Writes `codePoint` (not a surrogate, at most U+10FFFF) as 1 to 4 bytes; returns the end.
char* EncodeUtf8(char32_t codePoint, char* out);

// The length of a sequence cut short at the end of `bytes` (well-formed so far, so the next
// bytes may complete it), else 0.
std::size_t Utf8CutAtEnd(std::string_view bytes);

// Whether `bytes` is valid UTF-8; a sequence cut short at the very end counts as valid
// unless `last`. Sets `cut` to the length of such a cut sequence.
bool IsValidUtf8(std::string_view bytes, bool last, std::size_t& cut);

// The three bytes of U+FFFD REPLACEMENT CHARACTER.
inline constexpr char kReplacementCharacter[] = "\xEF\xBF\xBD";

}  // namespace kobal
