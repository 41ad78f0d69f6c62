// Output bytes to UTF-16 through UTF-8, with the project's own decoders: the same code page 932
// table as the rest of Kobal, not the one of the machine.
#include "cli/windows/ConsoleText.h"

#include "encodings/Cp932.h"
#include "encodings/Utf8.h"

namespace kobal::cli {
namespace {

// The length of the sequence a UTF-8 lead byte starts (0 for a byte that starts none).
std::size_t Utf8Length(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

void AppendUtf16(char32_t codePoint, std::u16string& out) {
  if (codePoint < 0x10000) {
    out += static_cast<char16_t>(codePoint);
  } else {
    codePoint -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (codePoint >> 10));
    out += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
  }
}

// UTF-8 to UTF-16 but for a sequence cut at the end; returns the bytes read.
std::size_t Utf8ToUtf16(std::string_view bytes, std::u16string& out) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* const end = p + bytes.size();
  while (p < end) {
    const Utf8Sequence sequence = DecodeUtf8(p, end);
    // A maximal subpart that runs to the end may be a sequence the next bytes complete.
    if (!sequence.valid && p + sequence.length == end && sequence.length < Utf8Length(*p)) break;
    AppendUtf16(sequence.valid ? sequence.codePoint : U'\uFFFD', out);
    p += sequence.length;
  }
  return bytes.size() - static_cast<std::size_t>(end - p);
}

}  // namespace

std::u16string_view ConsoleText::Convert(std::string_view bytes) {
  kept_.append(bytes);
  utf16_.clear();
  if (encoding_ == lookup::OutputEncoding::kShiftJis) {
    utf8_.clear();
    kept_.erase(0, AppendCp932AsUtf8(kept_, false, utf8_));
    Utf8ToUtf16(utf8_, utf16_);  // whole characters, nothing left over
  } else {
    kept_.erase(0, Utf8ToUtf16(kept_, utf16_));
  }
  return utf16_;
}

std::u16string_view ConsoleText::Finish() {
  utf16_.assign(kept_.empty() ? 0 : 1, u'\uFFFD');
  kept_.clear();
  return utf16_;
}

}  // namespace kobal::cli
