// The one streaming decoder: however a stream is cut into chunks, the text is the same; and
// what the encoder writes in each encoding decodes back.
#include <gtest/gtest.h>

#include <string>

#include "encodings/TextDecoder.h"
#include "encodings/TextEncoder.h"

namespace kobal {
namespace {

std::string Whole(TextEncoding encoding, std::string_view bytes) {
  TextDecoder decoder(encoding);
  return std::string(decoder.Decode(bytes, true));
}

std::string ByteByByte(TextEncoding encoding, std::string_view bytes) {
  TextDecoder decoder(encoding);
  std::string text;
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    text += decoder.Decode(bytes.substr(at, 1), false);
  }
  text += decoder.Decode({}, true);
  return text;
}

TEST(TextDecoder, OneByteAtATimeGivesTheWholeText) {
  struct Case {
    TextEncoding encoding;
    std::string bytes;
    std::string text;
  };
  const Case cases[] = {
      // UTF-8 passes through, invalid and cut sequences included.
      {TextEncoding::kUtf8, "03\xE9\x9B\xBB\xFF\n\xE4\xB8", "03\xE9\x9B\xBB\xFF\n\xE4\xB8"},
      // 電話, a half-width katakana, a lead byte whose trail is no trail, a lead byte at the end.
      {TextEncoding::kShiftJis, "\x93\x64\x98\x62\xB1\x81\x0A\x81", "電話\uFF71\uFFFD\n\uFFFD"},
      // 電, a surrogate pair, a lone low surrogate, then an odd byte at the end.
      {TextEncoding::kUtf16LittleEndian,
       std::string("\xFB\x96\x3D\xD8\x1E\xDE\x00\xDC"
                   "0\0"
                   "1",
                   11),
       "電\U0001F61E\uFFFD0\uFFFD"},
      {TextEncoding::kUtf16BigEndian,
       std::string("\x96\xFB\xD8\x3D\xDE\x1E\xD8\x00\0"
                   "0",
                   10),
       "電\U0001F61E\uFFFD0"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Whole(c.encoding, c.bytes), c.text) << static_cast<int>(c.encoding);
    EXPECT_EQ(ByteByByte(c.encoding, c.bytes), c.text) << static_cast<int>(c.encoding);
    // Written into a reader's own buffer, within the room it was told of.
    TextDecoder decoder(c.encoding);
    std::string room(decoder.MaxOutput(c.bytes.size()), '\0');
    room.resize(
        static_cast<std::size_t>(decoder.DecodeInto(c.bytes, true, room.data()) - room.data()));
    EXPECT_EQ(room, c.text) << static_cast<int>(c.encoding);
  }
}

// What the records writer writes, the records reader reads back.
TEST(TextDecoder, EveryEncodingRoundTripsThroughTheEncoderByteByByte) {
  const std::string text = "氏名,電話番号\r\n\"山田\n太郎\",０３\t😀\r\n";
  for (const TextEncoding encoding :
       {TextEncoding::kUtf8, TextEncoding::kShiftJis, TextEncoding::kUtf16LittleEndian,
        TextEncoding::kUtf16BigEndian}) {
    std::string bytes;
    AppendEncoded(text, encoding, bytes);
    TextDecoder decoder(encoding);
    std::string decoded;
    for (std::size_t at = 0; at < bytes.size(); ++at) {
      decoded += decoder.Decode(bytes.substr(at, 1), at + 1 == bytes.size());
    }
    const std::string expected =
        encoding == TextEncoding::kShiftJis ? "氏名,電話番号\r\n\"山田\n太郎\",０３\t?\r\n" : text;
    EXPECT_EQ(decoded, expected) << static_cast<int>(encoding);
  }
  // Bytes that are no UTF-8: one '?' or U+FFFD for each maximal bad part.
  std::string shiftJis;
  AppendEncoded("a\xFF\xE4\xB8", TextEncoding::kShiftJis, shiftJis);
  EXPECT_EQ(shiftJis, "a??");
  std::string utf16;
  AppendEncoded("\xFF", TextEncoding::kUtf16BigEndian, utf16);
  EXPECT_EQ(utf16, "\xFF\xFD");
}

}  // namespace
}  // namespace kobal
