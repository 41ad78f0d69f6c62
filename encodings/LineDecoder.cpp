// Per-line decoding: most lines are ASCII and pass through untouched.
#include "encodings/LineDecoder.h"

#include <cstring>

#include "encodings/Cp932.h"
#include "encodings/Utf8.h"

namespace kobal {
namespace {

bool IsAscii(std::string_view bytes) {
  const char* p = bytes.data();
  const char* const end = p + bytes.size();
  for (; end - p >= 8; p += 8) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    if ((word & 0x8080808080808080u) != 0) return false;
  }
  for (; p < end; ++p) {
    if (static_cast<unsigned char>(*p) >= 0x80) return false;
  }
  return true;
}

}  // namespace

std::string_view LineDecoder::Decode(std::string_view piece, bool first, bool last) {
  if (first) carried_.clear();
  if (carried_.empty() && last && IsAscii(piece)) {
    return piece;  // the same in every encoding, and the common case
  }
  std::string_view bytes = piece;
  if (!carried_.empty()) {
    carried_.append(piece);
    bytes = carried_;
  }
  std::size_t cut = 0;
  if (first) {
    shiftJisLine_ =
        encoding_ == TextEncoding::kShiftJis || (!encoding_ && !IsValidUtf8(bytes, last, cut));
  }
  text_.clear();
  std::size_t used = bytes.size();
  if (shiftJisLine_) {
    used = AppendCp932AsUtf8(bytes, last, text_);
  } else {
    used -= last ? 0 : Utf8CutAtEnd(bytes);
    text_.assign(bytes.substr(0, used));
  }
  std::string rest(bytes.substr(used));
  carried_ = std::move(rest);
  return text_;
}

}  // namespace kobal
