// The console's UTF-16 from kobal-lookup's output bytes, written in blocks that cut characters
// anywhere: every cut must give the text of the uncut bytes.
#include <cstdio>
#include <string>
#include <string_view>

#include "cli/windows/ConsoleText.h"

namespace {

using kobal::TextEncoding;
using kobal::cli::ConsoleText;

int failures = 0;

void Expect(bool holds, const char* what, std::size_t cut) {
  if (holds) return;
  ++failures;
  std::printf("FAILED: %s (cut after byte %zu)\n", what, cut);
}

// The text of `bytes` written in two blocks cut after `cut` bytes, and the end of the output.
std::u16string InTwoBlocks(TextEncoding encoding, std::string_view bytes, std::size_t cut) {
  ConsoleText text(encoding);
  std::u16string shown(text.Convert(bytes.substr(0, cut)));
  shown += text.Convert(bytes.substr(cut));
  shown += text.Finish();
  return shown;
}

void ExpectEveryCut(TextEncoding encoding, std::string_view bytes, std::u16string_view shown,
                    const char* what) {
  for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
    Expect(InTwoBlocks(encoding, bytes, cut) == shown, what, cut);
  }
}

void Utf8Output() {
  // One, two, three and four bytes: a record with a character outside the BMP.
  ExpectEveryCut(TextEncoding::kUtf8, "0a\tNTT\xC2\xA2\xE4\xB8\x8D\xE6\x98\x8E\xF0\x9F\x93\x9E\n",
                 u"0a\tNTT\u00A2\u4E0D\u660E\U0001F4DE\n", "UTF-8 cut anywhere");
  // Bytes that are no UTF-8, as a TSV echo of the input may hold: one U+FFFD per maximal
  // subpart, whether or not the block ends after them.
  ExpectEveryCut(TextEncoding::kUtf8,
                 "\xFF"
                 "a\xE4\xB8"
                 "b\xED\xA0\x80"
                 "c\xF0\x9F\x93",
                 u"\uFFFDa\uFFFDb\uFFFD\uFFFD\uFFFDc\uFFFD", "broken UTF-8 cut anywhere");
}

void ShiftJisOutput() {
  // 不明, a half-width katakana, and the ideographic space, whose trail byte is ASCII '@'.
  ExpectEveryCut(TextEncoding::kShiftJis, "03\t\x95s\x96\xbe\xB1\x81@\r\n",
                 u"03\t\u4E0D\u660E\uFF71\u3000\r\n", "Shift-JIS cut anywhere");
  ExpectEveryCut(TextEncoding::kShiftJis, "x\x81", u"x\uFFFD", "a lead byte at the very end");
}

void KeptUntilTheNextBlock() {
  ConsoleText text(TextEncoding::kUtf8);
  Expect(text.Convert("a\xE4\xB8") == u"a", "the start of a character waits", 3);
  Expect(text.Convert("\x8D") == u"\u4E0D", "and comes with the rest", 3);
  Expect(text.Finish().empty(), "nothing left at the end", 4);
}

}  // namespace

int main() {
  Utf8Output();
  ShiftJisOutput();
  KeptUntilTheNextBlock();
  if (failures == 0) std::printf("console text: all cuts give the uncut text\n");
  return failures == 0 ? 0 : 1;
}
