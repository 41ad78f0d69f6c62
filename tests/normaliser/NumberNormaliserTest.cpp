// The normaliser against the table of written forms: each gives its digits, or is no number.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "encodings/Utf8.h"
#include "normaliser/NumberNormaliser.h"

namespace kobal {
namespace {

struct WrittenForm {
  int line;
  std::string written;
  std::string expected;  // "-": not a number
};

// The escapes the table's header describes: \t \\ \uXXXX \UXXXXXXXX \xHH.
std::string Unescape(const std::string& field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\') {
      out += field[i];
      continue;
    }
    const char kind = field.at(++i);
    const std::size_t digits = kind == 'x' ? 2 : kind == 'u' ? 4 : kind == 'U' ? 8 : 0;
    if (digits == 0) {
      out += kind == 't' ? '\t' : kind;
      continue;
    }
    const auto value = std::stoul(field.substr(i + 1, digits), nullptr, 16);
    if (kind == 'x') {
      out += static_cast<char>(value);
    } else {
      char bytes[4];
      out.append(bytes, EncodeUtf8(static_cast<char32_t>(value), bytes));
    }
    i += digits;
  }
  return out;
}

std::vector<WrittenForm> ReadWrittenForms() {
  std::ifstream file(KOBAL_WRITTEN_FORMS);
  std::vector<WrittenForm> forms;
  std::string line;
  for (int number = 1; std::getline(file, line); ++number) {
    if (line.empty() || line[0] == '#') continue;
    const auto tab = line.find('\t');
    if (tab == std::string::npos || line.find('\t', tab + 1) != std::string::npos) {
      ADD_FAILURE() << "line " << number << " is not two fields: " << line;
      continue;
    }
    forms.push_back({number, Unescape(line.substr(0, tab)), line.substr(tab + 1)});
  }
  return forms;
}

TEST(NumberNormaliser, EveryWrittenFormOfTheTable) {
  const std::vector<WrittenForm> forms = ReadWrittenForms();
  ASSERT_GT(forms.size(), 100u);
  std::string number = "a buffer that held something before";  // reused, as every caller does
  for (const WrittenForm& form : forms) {
    const bool isNumber = NormaliseNumber(form.written, number);
    if (form.expected == "-") {
      EXPECT_FALSE(isNumber) << "line " << form.line << ": gave " << number;
    } else {
      EXPECT_TRUE(isNumber) << "line " << form.line;
      EXPECT_EQ(number, form.expected) << "line " << form.line;
    }
    EXPECT_LE(number.size(), form.written.size()) << "line " << form.line;
  }
}

TEST(NumberNormaliser, SeparatorsAnywhereBetweenDigitsChangeNothing) {
  // Every separator of the table's kinds between any two digits of a mobile number.
  const std::string separators[] = {"-", " ", "ー", "－", "\u2009", "・", "/", "(", ")", "\u00AD"};
  const std::string digits = "09012345678";
  std::string number;
  for (const std::string& separator : separators) {
    for (std::size_t cut = 1; cut < digits.size(); ++cut) {
      const std::string written = digits.substr(0, cut) + separator + digits.substr(cut);
      EXPECT_TRUE(NormaliseNumber(written, number)) << written;
      EXPECT_EQ(number, digits) << written;
    }
  }
}

// Plain digits are checked a word at a time: every byte value at every place of texts of 1 to 20
// digits (short, one word, two overlapping, three) tells the text apart from plain digits.
TEST(NumberNormaliser, PlainDigitsAreExactlyTheAsciiDigits) {
  for (std::size_t size = 1; size <= 20; ++size) {
    std::string text(size, '5');
    text[0] = '0';
    EXPECT_TRUE(IsPlainDomesticNumber(text)) << text;
    for (std::size_t at = 0; at < size; ++at) {
      for (int byte = 0; byte < 256; ++byte) {
        std::string changed = text;
        changed[at] = static_cast<char>(byte);
        const bool digit = byte >= '0' && byte <= '9';
        const bool international = at == 1 && byte == '0';  // 00: a country code follows
        EXPECT_EQ(IsPlainDomesticNumber(changed), digit && !international)
            << size << " digits, byte " << byte << " at " << at;
      }
    }
  }
}

TEST(NumberNormaliser, PastedTextLosesOnlyOneFinalLineEnd) {
  // A cell copied from a spreadsheet ends in CRLF; a copied line in LF or CR.
  EXPECT_EQ(WithoutFinalLineEnd("03-3520-1234\r\n"), "03-3520-1234");
  EXPECT_EQ(WithoutFinalLineEnd("0335201234\n"), "0335201234");
  EXPECT_EQ(WithoutFinalLineEnd("0335201234\r"), "0335201234");
  EXPECT_EQ(WithoutFinalLineEnd("\r\n"), "");
  EXPECT_EQ(WithoutFinalLineEnd(""), "");
  // More than one line end, or one inside, stays: such a text is not one number.
  EXPECT_EQ(WithoutFinalLineEnd("0335201234\r\n\r\n"), "0335201234\r\n");
  EXPECT_EQ(WithoutFinalLineEnd("0335201234\n\r"), "0335201234\n");
  EXPECT_EQ(WithoutFinalLineEnd("03\r\n35201234"), "03\r\n35201234");
  std::string number;
  EXPECT_FALSE(NormaliseNumber("0335201234\r\n", number));  // lines are read without their ends
  EXPECT_FALSE(NormaliseNumber(WithoutFinalLineEnd("0335201234\n\n"), number));
}

}  // namespace
}  // namespace kobal
