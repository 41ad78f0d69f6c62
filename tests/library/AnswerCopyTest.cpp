// WriteAnswer at every size an answer can have: the text and its NUL, and nothing after them.
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <memory>
#include <string>

#include "AnswerCopy.h"
#include "kobal/KobalFnc.h"

namespace kobal {
namespace {

constexpr char kUntouched = '\x5A';

// The check the generated tables assert of every answer, which makes the copies safe: the size
// must be the text's own, and the text and its NUL must fit a caller's buffer.
static_assert(Fits("", 0) && Fits("abc", 3));
static_assert(!Fits("abc", 2) && !Fits("abc", 4) && !Fits("ab\0c", 4) && !Fits("abc", -1));
static_assert(Fits("123456789012345678901234567890123456789012345", KOBAL_RESULT_SIZE - 1));
static_assert(!Fits("1234567890123456789012345678901234567890123456", KOBAL_RESULT_SIZE));

TEST(AnswerCopy, EverySizeWritesTextAndNulOnly) {
  for (std::size_t size = 0; size < KOBAL_RESULT_SIZE; ++size) {
    std::string text;
    for (std::size_t i = 0; i < size; ++i) text.push_back(static_cast<char>('A' + i % 26 + i / 26));
    std::array<char, KOBAL_RESULT_SIZE + 8> buffer;
    buffer.fill(kUntouched);

    WriteAnswer(buffer.data(), AnswerText{text.c_str(), static_cast<int32_t>(size)});

    EXPECT_EQ(std::string(buffer.data(), size), text) << "size " << size;
    EXPECT_EQ(buffer[size], '\0') << "size " << size;
    for (std::size_t after = size + 1; after < buffer.size(); ++after) {
      ASSERT_EQ(buffer[after], kUntouched) << "size " << size << ", byte " << after;
    }
  }
}

TEST(AnswerCopy, BufferAtItsSizeReadsOnlyTheText) {
  // A text that ends where its storage ends, and a buffer of exactly KOBAL_RESULT_SIZE bytes:
  // under the address sanitizer a move past either edge stops the test.
  for (std::size_t size = 0; size < KOBAL_RESULT_SIZE; ++size) {
    auto text = std::make_unique<char[]>(size + 1);
    for (std::size_t i = 0; i < size; ++i) text[i] = static_cast<char>('a' + i % 26);
    text[size] = '\0';
    auto buffer = std::make_unique<char[]>(KOBAL_RESULT_SIZE);
    WriteAnswer(buffer.get(), AnswerText{text.get(), static_cast<int32_t>(size)});
    EXPECT_EQ(std::string(buffer.get()), std::string(text.get())) << "size " << size;
  }
}

}  // namespace
}  // namespace kobal
