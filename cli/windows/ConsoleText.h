// kobal-lookup's output bytes as the UTF-16 a console is written in. Output is written in blocks
// that may cut a character in two: its first bytes wait for the next block.
#pragma once

#include <string>
#include <string_view>

#include "lookup/lines/LineOptions.h"

namespace kobal::cli {

class ConsoleText {
 public:
  explicit ConsoleText(TextEncoding encoding) : encoding_(encoding) {}

  // The UTF-16 of what was kept from the last call and of `bytes`, but for a character cut at
  // the end, kept for the next call. Bytes that are no character become U+FFFD. The view stays
  // valid until the next call.
  std::u16string_view Convert(std::string_view bytes);

  // What is still kept, as U+FFFD: the output ended inside a character.
  std::u16string_view Finish();

 private:
  TextEncoding encoding_;
  std::string kept_;  // the first bytes of a cut character, then the input of a call
  std::string utf8_;
  std::u16string utf16_;
};

}  // namespace kobal::cli
