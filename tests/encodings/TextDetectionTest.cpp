// One rule for a text's encoding, looked at for the whole file (records) or left to each line
// (kobal-lookup's lines, the page's lists): the same starts through both modes.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "encodings/TextDetection.h"

namespace kobal {
namespace {

constexpr auto kAuto = std::nullopt;

TextStart ByFile(std::optional<TextEncoding> chosen, std::string_view start) {
  return DetectEncoding(chosen, start, Detection::kByFile);
}

TextStart ByLine(std::optional<TextEncoding> chosen, std::string_view start) {
  return DetectEncoding(chosen, start, Detection::kByLine);
}

TEST(TextDetection, AByteOrderMarkDecidesInBothModes) {
  struct Case {
    std::string start;
    TextEncoding encoding;
    std::size_t mark;
  };
  for (const Case& c : {Case{"\xEF\xBB\xBF"
                             "03",
                             TextEncoding::kUtf8, 3},
                        Case{std::string("\xFF\xFE"
                                         "0\0",
                                         4),
                             TextEncoding::kUtf16LittleEndian, 2},
                        Case{std::string("\xFE\xFF\0"
                                         "0",
                                         4),
                             TextEncoding::kUtf16BigEndian, 2}}) {
    for (const Detection mode : {Detection::kByFile, Detection::kByLine}) {
      const TextStart start = DetectEncoding(kAuto, c.start, mode);
      EXPECT_EQ(start.encoding, c.encoding) << c.start;
      EXPECT_EQ(start.byteOrderMark, c.mark) << c.start;
    }
  }
  // A mark of another encoding than the chosen one is text, not a mark.
  EXPECT_EQ(ByLine(TextEncoding::kUtf8,
                   "\xFF\xFE"
                   "0")
                .byteOrderMark,
            0u);
  EXPECT_EQ(ByFile(TextEncoding::kUtf16LittleEndian,
                   "\xEF\xBB\xBF"
                   "0")
                .byteOrderMark,
            0u);
  // Shift-JIS never looks for one; UTF-16 chosen takes the byte order its mark gives.
  EXPECT_EQ(ByLine(TextEncoding::kShiftJis, "\xEF\xBB\xBF").byteOrderMark, 0u);
  EXPECT_EQ(ByLine(TextEncoding::kUtf16LittleEndian, "\xFE\xFF").encoding,
            TextEncoding::kUtf16BigEndian);
}

TEST(TextDetection, WithoutAMarkTheFileDecidesOnceOrEachLineDoes) {
  const std::string utf16le("a\0,\0b\0\r\0\n\0", 10);
  const std::string utf16be("\0a\0,\0b\0\r\0\n", 10);
  const std::string utf8 = "電話番号,\xE9";  // cut at the end of the start: still UTF-8
  const std::string shiftJis = "\x93\x64\x98\x62,03";
  EXPECT_EQ(ByFile(kAuto, utf16le).encoding, TextEncoding::kUtf16LittleEndian);
  EXPECT_EQ(ByFile(kAuto, utf16be).encoding, TextEncoding::kUtf16BigEndian);
  EXPECT_EQ(ByFile(kAuto, utf8).encoding, TextEncoding::kUtf8);
  EXPECT_EQ(ByFile(kAuto, shiftJis).encoding, TextEncoding::kShiftJis);
  EXPECT_EQ(ByFile(kAuto, "").encoding, TextEncoding::kUtf8);
  for (const std::string& start : {utf16le, utf16be, utf8, shiftJis, std::string()}) {
    EXPECT_EQ(ByLine(kAuto, start).encoding, std::nullopt) << start;
    EXPECT_EQ(ByLine(kAuto, start).byteOrderMark, 0u);
  }
  // UTF-16 chosen: the whole file's zero bytes may show the other byte order; lines keep the
  // little-endian kobal-lookup documents.
  EXPECT_EQ(ByFile(TextEncoding::kUtf16LittleEndian, utf16be).encoding,
            TextEncoding::kUtf16BigEndian);
  EXPECT_EQ(ByLine(TextEncoding::kUtf16LittleEndian, utf16be).encoding,
            TextEncoding::kUtf16LittleEndian);
  // A choice of UTF-8 or Shift-JIS stands in both modes.
  EXPECT_EQ(ByFile(TextEncoding::kUtf8, shiftJis).encoding, TextEncoding::kUtf8);
  EXPECT_EQ(ByFile(TextEncoding::kShiftJis, utf16le).encoding, TextEncoding::kShiftJis);
  EXPECT_EQ(ByLine(TextEncoding::kShiftJis, utf8).encoding, TextEncoding::kShiftJis);
}

TEST(TextEncoding, EveryNameTheCommandLineTakes) {
  for (const char* name : {"utf-8", "UTF8", "Utf-8"}) {
    EXPECT_EQ(TextEncodingNamed(name), TextEncoding::kUtf8) << name;
  }
  for (const char* name : {"shift_jis", "Shift-JIS", "sjis", "CP932"}) {
    EXPECT_EQ(TextEncodingNamed(name), TextEncoding::kShiftJis) << name;
  }
  for (const char* name : {"utf-16", "UTF16", "utf-16le"}) {
    EXPECT_EQ(TextEncodingNamed(name), TextEncoding::kUtf16LittleEndian) << name;
  }
  EXPECT_EQ(TextEncodingNamed("UTF-16BE"), TextEncoding::kUtf16BigEndian);
  for (const char* name : {"", "auto", "utf-32", "utf-8 ", "latin1"}) {
    EXPECT_EQ(TextEncodingNamed(name), std::nullopt) << name;
  }
  EXPECT_STREQ(TextEncodingName(TextEncoding::kShiftJis), "Shift-JIS");
  EXPECT_STREQ(TextEncodingName(TextEncoding::kUtf16BigEndian), "UTF-16BE");
}

}  // namespace
}  // namespace kobal
