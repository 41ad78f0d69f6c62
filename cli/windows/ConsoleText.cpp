// Output bytes to UTF-16 through encodings/, the same code page 932 table as the rest of Kobal,
// not the one of the machine.
#include "cli/windows/ConsoleText.h"

#include "encodings/Cp932.h"
#include "encodings/Utf16.h"
#include "encodings/Utf8.h"

namespace kobal::cli {

std::u16string_view ConsoleText::Convert(std::string_view bytes) {
  kept_.append(bytes);
  if (encoding_ == TextEncoding::kShiftJis) {
    utf8_.clear();
    kept_.erase(0, AppendCp932AsUtf8(kept_, false, utf8_));
    utf16_ = Utf16FromUtf8(utf8_);  // whole characters, nothing left over
  } else {
    const std::size_t whole = kept_.size() - Utf8CutAtEnd(kept_);
    utf16_ = Utf16FromUtf8(std::string_view(kept_).substr(0, whole));
    kept_.erase(0, whole);
  }
  return utf16_;
}

std::u16string_view ConsoleText::Finish() {
  utf16_.assign(kept_.empty() ? 0 : 1, u'\uFFFD');
  kept_.clear();
  return utf16_;
}

}  // namespace kobal::cli
