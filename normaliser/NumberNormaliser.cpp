// The rules for numbers as people write them: a label, the number's groups, a country code, and
// an extension or a note after it. Anything else makes the text no number.
#include "normaliser/NumberNormaliser.h"

#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

#include "normaliser/WrittenCharacters.h"

namespace kobal {
namespace {

// Labels written before a number; the longer of two words that share a beginning comes first.
constexpr std::u32string_view kLabels[] = {U"telephone", U"tel",  U"phone",    U"mobile", U"fax",
                                           U"電話番号",  U"電話", U"携帯電話", U"携帯",   U"℡",
                                           U"☎",         U"☏",    U"📞",        U"📱"};
// Words that start an extension after the number; a lone "x" only after a space.
constexpr std::u32string_view kExtensionMarks[] = {U"内線番号", U"内線", U"extension", U"extn",
                                                   U"ext"};

bool IsGroupSeparator(Glyph glyph) {
  return glyph == Glyph::kSpace || glyph == Glyph::kHyphen || glyph == Glyph::kDot;
}

// A cursor over the written text, one character at a time.
class WrittenText {
 public:
  explicit WrittenText(std::string_view text)
      : begin_(reinterpret_cast<const unsigned char*>(text.data())),
        p_(begin_),
        end_(p_ + text.size()) {}

  bool AtEnd() const { return p_ == end_; }
  WrittenCharacter Peek() const { return ReadCharacter(p_, end_); }
  void Advance(const WrittenCharacter& c) {
    previous_ = c.glyph;
    p_ += c.length;
  }
  Glyph Previous() const { return previous_; }

  // Whether the bytes just read were `ascii`, case aside.
  bool Follows(std::string_view ascii) const {
    if (static_cast<std::size_t>(p_ - begin_) < ascii.size()) return false;
    const unsigned char* q = p_ - ascii.size();
    for (const char c : ascii) {
      if ((*q++ | 0x20) != static_cast<unsigned char>(c | 0x20)) return false;
    }
    return true;
  }

  // Copies a run of ASCII digits, the common case, without classifying each.
  void CopyDigits(char*& out) {
    while (p_ != end_ && *p_ >= '0' && *p_ <= '9') *out++ = static_cast<char>(*p_++);
  }

  // Consumes `word` if the text goes on with it; Latin words must end where the letters do.
  bool Accept(std::u32string_view word) {
    const unsigned char* const start = p_;
    const Glyph before = previous_;
    for (const char32_t expected : word) {
      if (AtEnd() || Peek().code != expected) return Restore(start, before);
      Advance(Peek());
    }
    if (word.front() < 0x80 && !AtEnd() && Peek().glyph == Glyph::kLetter) {
      return Restore(start, before);
    }
    return true;
  }

  bool AcceptAny(std::span<const std::u32string_view> words) {
    for (const std::u32string_view word : words) {
      if (Accept(word)) return true;
    }
    return false;
  }

  void Skip(bool (*skipped)(Glyph)) {
    while (!AtEnd() && skipped(Peek().glyph)) Advance(Peek());
  }

  // At an opening bracket: true when the brackets hold text (a note such as "(代)"), false
  // when they hold only a group of the number or never close. Stops at the next bracket, so no
  // character is looked at more than twice.
  bool BracketHoldsNote() const {
    bool text = false;
    for (const unsigned char* q = p_ + Peek().length; q < end_;) {
      const WrittenCharacter c = ReadCharacter(q, end_);
      if (c.glyph == Glyph::kClose) return text;
      if (c.glyph == Glyph::kOpen) return false;
      text = text ||
             !(c.glyph == Glyph::kDigit || c.glyph == Glyph::kPlus || IsGroupSeparator(c.glyph));
      q += c.length;
    }
    return false;
  }

  // Consumes a bracketed note, nested brackets included; false if it never closes.
  bool SkipNote() {
    int depth = 0;
    while (!AtEnd()) {
      const WrittenCharacter c = Peek();
      Advance(c);
      if (c.glyph == Glyph::kOpen) ++depth;
      if (c.glyph == Glyph::kClose && --depth == 0) return true;
    }
    return false;
  }

 private:
  bool Restore(const unsigned char* position, Glyph previous) {
    p_ = position;
    previous_ = previous;
    return false;
  }

  const unsigned char* begin_;
  const unsigned char* p_;
  const unsigned char* end_;
  Glyph previous_ = Glyph::kSpace;
};

bool IsSpace(Glyph glyph) { return glyph == Glyph::kSpace; }
bool IsSpaceOrDot(Glyph glyph) { return glyph == Glyph::kSpace || glyph == Glyph::kDot; }

// "TEL", "Tel.", "電話番号：", "TEL/FAX", "℡" ... before the number; true for a tel: URI.
bool SkipLabels(WrittenText& text) {
  bool uri = false;
  while (text.AcceptAny(kLabels)) {
    uri = uri || (text.Follows("tel") && !text.AtEnd() && text.Peek().code == U':');
    text.Skip(IsSpaceOrDot);
    if (!text.AtEnd() && text.Peek().glyph == Glyph::kOpen && text.BracketHoldsNote()) {
      text.SkipNote();  // "TEL（代表）：03-..."
      text.Skip(IsSpaceOrDot);
    }
    if (!text.AtEnd() && text.Peek().glyph == Glyph::kColon) text.Advance(text.Peek());
    text.Skip(IsSpaceOrDot);
  }
  return uri;
}

// "内線 123", "ext. 123", " x123": a marker, an optional colon, and at least one digit.
bool SkipExtension(WrittenText& text) {
  WrittenText start = text;
  const bool marked =
      text.AcceptAny(kExtensionMarks) || (text.Previous() == Glyph::kSpace && text.Accept(U"x"));
  if (!marked) return false;
  text.Skip(IsSpaceOrDot);
  if (!text.AtEnd() && text.Peek().glyph == Glyph::kColon) text.Advance(text.Peek());
  text.Skip(IsSpace);
  bool digits = false;
  while (!text.AtEnd() &&
         (text.Peek().glyph == Glyph::kDigit || text.Peek().glyph == Glyph::kHyphen)) {
    digits = digits || text.Peek().glyph == Glyph::kDigit;
    text.Advance(text.Peek());
  }
  if (!digits) text = start;
  return digits;
}

// What may follow the number: notes in brackets, an extension and, in a tel: URI, parameters.
bool OnlyNotesFollow(WrittenText& text, bool uri) {
  for (;;) {
    text.Skip(IsGroupSeparator);
    if (text.AtEnd()) return true;
    const WrittenCharacter c = text.Peek();
    if (c.glyph == Glyph::kOpen) {
      if (!text.SkipNote()) return false;
    } else if (c.code == U'\u3239') {  // ㈹, "(代)" as one character
      text.Advance(c);
    } else if (uri && c.glyph == Glyph::kSemicolon) {
      return true;  // ";ext=", ";phone-context=" ... name no other number
    } else if (!SkipExtension(text)) {
      return false;
    }
  }
}

bool StartsWith(const char* digits, std::size_t length, std::string_view prefix) {
  return length >= prefix.size() && std::string_view(digits, prefix.size()) == prefix;
}

// The length of a leading country code in `digits`, 0 if there is none: +81, 0081 and 010 81
// (dialled from Japan), and 81 written with a hyphen after it.
std::size_t CountryCodeLength(const char* digits, std::size_t length, bool plus,
                              bool hyphenAfter81) {
  if (plus) return 2;  // the caller has checked that 81 follows
  if (StartsWith(digits, length, "0081")) return 4;
  if (StartsWith(digits, length, "01081")) return 5;
  if (hyphenAfter81 && StartsWith(digits, length, "81")) return 2;
  return 0;
}

// Whether the eight bytes of `word` are all ASCII digits: a byte b is one when b ^ '0' is below
// 10, which adding 0x76 tells by its top bit; a byte with its own top bit set (whose carry may
// spoil the next byte's sum) is no digit either way.
bool EightDigits(std::uint64_t word) {
  const std::uint64_t offset = word ^ 0x3030303030303030u;
  return (((offset + 0x7676767676767676u) | offset) & 0x8080808080808080u) == 0;
}

std::uint64_t Load8(const char* bytes) {
  std::uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

}  // namespace

std::string_view WithoutFinalLineEnd(std::string_view pasted) {
  if (pasted.ends_with('\n')) pasted.remove_suffix(1);
  if (pasted.ends_with('\r')) pasted.remove_suffix(1);
  return pasted;
}

bool IsPlainDomesticNumber(std::string_view written) {
  if (written.empty() || HasInternationalPrefix(written)) return false;
  const std::size_t size = written.size();
  if (size >= 8) {
    // A word at a time, the last one overlapping the one before: a number is two words.
    const char* const bytes = written.data();
    for (std::size_t at = 0; at + 8 < size; at += 8) {
      if (!EightDigits(Load8(bytes + at))) return false;
    }
    return EightDigits(Load8(bytes + size - 8));
  }
  bool digits = true;
  for (const char c : written) digits &= c >= '0' && c <= '9';
  return digits;
}

bool NormaliseNumber(std::string_view written, std::string& number) {
  // Plain digits, the common case, are the number as they stand.
  if (IsPlainDomesticNumber(written)) {
    number.assign(written);
    return true;
  }
  // Nothing is ever longer than what it was written as, so the output fits the input's size.
  number.resize(written.size());
  char* const first = number.data();
  char* out = first;

  WrittenText text(written);
  bool uri = false;
  if (written.empty() || written[0] < '0' || written[0] > '9') {  // most numbers start at once
    text.Skip(IsSpace);
    uri = SkipLabels(text);
  }

  bool plus = false;
  bool separated = false;      // a separator came after the first digit
  bool hyphenAfter81 = false;  // the first separator was a hyphen after exactly two digits
  for (;;) {
    text.CopyDigits(out);
    if (text.AtEnd()) break;
    const WrittenCharacter c = text.Peek();
    if (c.glyph == Glyph::kDigit) {
      *out++ = static_cast<char>(c.code);
    } else if (c.glyph == Glyph::kPlus) {
      if (plus || out != first) return false;
      plus = true;
    } else if (IsGroupSeparator(c.glyph) || c.glyph == Glyph::kClose ||
               (c.glyph == Glyph::kOpen && !text.BracketHoldsNote())) {
      if (out != first && !separated) {
        separated = true;
        hyphenAfter81 = out - first == 2 && c.glyph == Glyph::kHyphen;
      }
    } else {
      break;
    }
    text.Advance(c);
  }
  if (!OnlyNotesFollow(text, uri)) return false;

  const auto length = static_cast<std::size_t>(out - first);
  if (plus && !StartsWith(first, length, "81")) return false;  // another country's number
  number.resize(length);
  if (const std::size_t code = CountryCodeLength(first, length, plus, hyphenAfter81); code > 0) {
    if (length == code) return false;  // a country code and nothing after it
    // The domestic trunk prefix "0" replaces the code; one already written, as in
    // "+81 (0)3", is that prefix.
    number.erase(0, number[code] == '0' ? code : code - 1);
    number[0] = '0';
  }
  return !number.empty();
}

}  // namespace kobal
