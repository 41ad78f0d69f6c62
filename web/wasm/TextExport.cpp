// The page's text in and out through the codecs of kobal-lookup: a file's bytes read as it reads
// them (a byte order mark decides for the file; without one each line is UTF-8 if it is valid
// UTF-8, else code page 932), and the page's CSV written in code page 932.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "encodings/LineDecoder.h"
#include "encodings/TextDecoder.h"
#include "encodings/TextDetection.h"
#include "encodings/TextEncoder.h"
#include "encodings/Utf8.h"

namespace {

// A line longer than this goes to the line decoder in pieces of this size, as kobal-lookup
// reads it: the first piece decides its encoding, and memory stays bounded.
constexpr std::size_t kLinePiece = std::size_t{1} << 16;

// One file, given piece by piece from its start; a piece may end anywhere.
class FileDecoder {
 public:
  explicit FileDecoder(std::string_view start)
      : start_(kobal::DetectEncoding(std::nullopt, start, kobal::Detection::kByLine)),
        lines_(start_.encoding) {
    if (start_.encoding) whole_.emplace(*start_.encoding);
  }

  std::size_t ByteOrderMark() const { return start_.byteOrderMark; }

  // The UTF-8 of the next piece (after the byte order mark), as far as it goes: a line not
  // ended yet waits for the next piece. Valid until the next call.
  std::string_view Decode(std::string_view piece, bool last) {
    text_.clear();
    if (whole_) return whole_->Decode(piece, last);  // UTF-8 kept byte for byte
    if (!pending_.empty()) {
      // The line left over from the last piece, completed as far as this piece goes.
      const std::size_t newline = piece.find('\n');
      const std::size_t taken = newline == std::string_view::npos ? piece.size() : newline + 1;
      pending_.append(piece.substr(0, taken));
      piece.remove_prefix(taken);
      const std::string_view rest = DecodeLines(pending_, last && piece.empty());
      pending_.erase(0, pending_.size() - rest.size());
      if (!pending_.empty()) return text_;  // the line has not ended within this piece
    }
    pending_.assign(DecodeLines(piece, last));
    return text_;
  }

  // The name of the encoding the text was read in, as the page shows it.
  const char* EncodingName() const {
    if (start_.encoding) return kobal::TextEncodingName(*start_.encoding);
    if (cp932Lines_ == 0) return "UTF-8";
    return utf8BeyondAscii_ ? "UTF-8+Shift-JIS" : "Shift-JIS";
  }

 private:
  // Decodes the lines of `bytes` into text_, a long last line by pieces; returns what is left
  // for the next piece (the start of a line, shorter than a piece), nothing when `last`.
  std::string_view DecodeLines(std::string_view bytes, bool last) {
    if (!inLine_) {
      // Whole lines that are valid UTF-8 all together stay as they are, each of them too.
      const std::size_t lineEnds = bytes.rfind('\n') + 1;  // 0 when there is no LF
      std::size_t cut = 0;
      if (lineEnds > 0 && kobal::IsValidUtf8(bytes.substr(0, lineEnds), true, cut)) {
        utf8BeyondAscii_ = utf8BeyondAscii_ || HasNonAscii(bytes.substr(0, lineEnds));
        text_.append(bytes.substr(0, lineEnds));
        bytes.remove_prefix(lineEnds);
      }
    }
    for (;;) {
      if (const std::size_t newline = bytes.find('\n'); newline != std::string_view::npos) {
        EndLine(bytes.substr(0, newline));
        text_ += '\n';
        bytes.remove_prefix(newline + 1);
      } else if (bytes.size() >= kLinePiece) {
        // A CR at a piece's end may end the line: it goes with the next piece.
        const std::size_t length = bytes[kLinePiece - 1] == '\r' ? kLinePiece - 1 : kLinePiece;
        Piece(bytes.substr(0, length), false);
        bytes.remove_prefix(length);
      } else if (last && (!bytes.empty() || inLine_)) {
        EndLine(bytes);  // the last line, without an LF
        return {};
      } else {
        return bytes;
      }
    }
  }

  static bool HasNonAscii(std::string_view bytes) {
    return std::any_of(bytes.begin(), bytes.end(), [](char byte) { return (byte & 0x80) != 0; });
  }

  // The end of a line, or a whole line, without its LF; a CR before the LF stays as it was.
  void EndLine(std::string_view line) {
    const bool carriageReturn = !line.empty() && line.back() == '\r';
    if (carriageReturn) line.remove_suffix(1);
    Piece(line, true);
    if (carriageReturn) text_ += '\r';
  }

  void Piece(std::string_view piece, bool lineEnds) {
    const bool first = !inLine_;
    const std::string_view text = lines_.Decode(piece, first, lineEnds);
    std::size_t cut = 0;
    if (first && text != piece && !kobal::IsValidUtf8(piece, lineEnds, cut)) {
      ++cp932Lines_;
    } else if (first && !utf8BeyondAscii_) {
      utf8BeyondAscii_ = HasNonAscii(piece);
    }
    text_.append(text);
    inLine_ = !lineEnds;
  }

  kobal::TextStart start_;
  kobal::LineDecoder lines_;
  std::optional<kobal::TextDecoder> whole_;  // a byte order mark decided for the whole file
  std::string pending_;                      // the start of a line whose end is in a later piece
  std::string text_;
  bool inLine_ = false;  // pieces of a long line have been decoded
  std::size_t cp932Lines_ = 0;
  bool utf8BeyondAscii_ = false;  // a line read as UTF-8 held more than ASCII, which both share
};

std::optional<FileDecoder>& File() {
  static std::optional<FileDecoder> file;  // the module runs on one thread
  return file;
}

}  // namespace

// Starts reading a file whose first `size` bytes (at least three, unless the file is shorter)
// are at `start`. Returns how many of them are a byte order mark, which KobalDecodeText is not
// to be given.
extern "C" __attribute__((visibility("default"))) uint32_t KobalBeginText(const char* start,
                                                                          uint32_t size) {
  return static_cast<uint32_t>(File().emplace(std::string_view(start, size)).ByteOrderMark());
}

// The UTF-8 of the next `size` bytes of the file, its size in *decodedSize; `last` for the
// file's last piece. A line that has not ended comes with a later piece. Valid until the next
// call.
extern "C" __attribute__((visibility("default"))) const char* KobalDecodeText(
    const char* piece, uint32_t size, uint32_t last, uint32_t* decodedSize) {
  const std::string_view text = File()->Decode(std::string_view(piece, size), last != 0);
  *decodedSize = static_cast<uint32_t>(text.size());
  return text.data();
}

// "UTF-8", "Shift-JIS" (once a line was read in code page 932), "UTF-8+Shift-JIS" (when lines
// beyond ASCII were read in each), "UTF-16LE" or "UTF-16BE": how
// the file's text was read so far. While it is UTF-8 the text is the file's bytes as they are.
extern "C" __attribute__((visibility("default"))) const char* KobalTextEncoding() {
  return File()->EncodingName();
}

// Writes the `size` bytes of UTF-8 at `utf8` in code page 932 to `out`, which must hold `size`
// bytes (no character takes more there); returns how many it wrote. What the code page cannot
// hold, and what is not UTF-8, becomes "?", as in kobal-lookup's Shift-JIS output.
extern "C" __attribute__((visibility("default"))) uint32_t KobalEncodeCp932(const char* utf8,
                                                                            uint32_t size,
                                                                            char* out) {
  static std::string encoded;
  encoded.clear();
  kobal::AppendEncoded(std::string_view(utf8, size), kobal::TextEncoding::kShiftJis, encoded);
  std::memcpy(out, encoded.data(), encoded.size());
  return static_cast<uint32_t>(encoded.size());
}
