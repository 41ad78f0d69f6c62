// Answers as every front end shows them, and whole texts between UTF-8 and UTF-16.
#include <gtest/gtest.h>

#include <string>

#include "encodings/AnswerText.h"
#include "encodings/Utf16.h"
#include "encodings/Utf8.h"

namespace kobal {
namespace {

TEST(AnswerText, CodePage932AsUtf8AndUtf16) {
  // 時報, and a fixed line's answer with full-width brackets and the solidus of 別海／上春別.
  EXPECT_EQ(AnswerUtf8("\x8E\x9E\x95\xF1"), "時報");
  EXPECT_EQ(AnswerUtf8("NTT\x8C\xC5\x92\xE8\x81\x69\x81\x5E\x81\x6A"), "NTT固定（／）");
  EXPECT_EQ(AnswerUtf16("\x8E\x9E\x95\xF1"), u"時報");
  EXPECT_EQ(AnswerUtf8("\xB1\xBD\xC3\xD9"), "ｱｽﾃﾙ");  // half-width katakana, one byte each
  EXPECT_EQ(AnswerUtf8(""), "");
  // What the code page does not define, and a lead byte cut off, are U+FFFD, not dropped.
  EXPECT_EQ(AnswerUtf8("\x80"), "\uFFFD");
  EXPECT_EQ(AnswerUtf8("1\x81"), "1\uFFFD");
}

TEST(Utf16, WholeTextsBothWays) {
  const std::string mixed = "03-3520 電話 \U0001F4DE";
  const std::u16string wide = Utf16FromUtf8(mixed);
  EXPECT_EQ(wide, u"03-3520 電話 \U0001F4DE");
  EXPECT_EQ(wide.size(), 13u);  // the telephone a surrogate pair
  EXPECT_EQ(Utf8FromUtf16(wide), mixed);
  // Ill-formed UTF-8: each maximal bad part one U+FFFD.
  EXPECT_EQ(Utf16FromUtf8("a\xE3\x81z\xFF"), u"a\uFFFDz\uFFFD");
  // A lone surrogate is no text: the caller is told, rather than given a guess.
  EXPECT_EQ(Utf8FromUtf16(u"1\xD800"
                          u"2"),
            std::nullopt);
  EXPECT_EQ(Utf8FromUtf16(std::u16string(1, u'\xDC00')), std::nullopt);
  EXPECT_EQ(Utf8FromUtf16(u""), "");
  // Where Windows hands over such text (a file name on the command line), each is U+FFFD.
  EXPECT_EQ(Utf8FromUtf16Replacing(u"1\xD800"
                                   u"2\xDC00"),
            "1\uFFFD2\uFFFD");
  EXPECT_EQ(Utf8FromUtf16Replacing(wide), mixed);
}

TEST(Utf8, SequenceCutAtTheEnd) {
  EXPECT_EQ(Utf8CutAtEnd("a\xE4\xB8"), 2u);
  EXPECT_EQ(Utf8CutAtEnd("a\xF0\x9F\x93"), 3u);
  EXPECT_EQ(Utf8CutAtEnd("a\xE4\xB8\x8D"), 0u);  // complete
  EXPECT_EQ(Utf8CutAtEnd("a\xE0\x80"), 0u);      // overlong: no byte can complete it
  EXPECT_EQ(Utf8CutAtEnd("a\xF8"), 0u);          // never a lead byte
  EXPECT_EQ(Utf8CutAtEnd("\x80\x80\x80"), 0u);
}

}  // namespace
}  // namespace kobal
