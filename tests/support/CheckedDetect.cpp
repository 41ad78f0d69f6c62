// Test helper: DetectCarrier on a sentinel-filled buffer, its contract checked.
#include "support/CheckedDetect.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "kobal/KobalFnc.h"

namespace kobal::test {
namespace {

constexpr char kSentinel = '\xFF';  // never a Shift-JIS byte, so any stray write shows

}  // namespace

std::string Detect(const std::string& text) {
  std::array<char, 64> buffer;
  buffer.fill(kSentinel);
  EXPECT_EQ(DetectCarrier(text.c_str(), buffer.data()), 1) << "input " << text;
  const void* nul = std::memchr(buffer.data(), '\0', KOBAL_RESULT_SIZE);
  if (nul == nullptr) {
    ADD_FAILURE() << "no NUL within " << KOBAL_RESULT_SIZE << " bytes for input " << text;
    return {};
  }
  const auto length = static_cast<std::size_t>(static_cast<const char*>(nul) - buffer.data());
  for (std::size_t i = length + 1; i < buffer.size(); ++i) {
    EXPECT_EQ(buffer[i], kSentinel) << "byte " << i << " written past the NUL for input " << text;
  }
  return std::string(buffer.data(), length);
}

}  // namespace kobal::test
