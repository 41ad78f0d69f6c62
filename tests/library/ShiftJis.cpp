// Test helpers: iconv conversions between UTF-8 and code page 932, and the checked call.
#include "ShiftJis.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <array>
#include <cstring>

#include "kobal/KobalFnc.h"

namespace kobal::test {
namespace {

std::string Convert(const std::string& input, const char* to, const char* from) {
  iconv_t converter = iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) {
    ADD_FAILURE() << "iconv cannot convert " << from << " to " << to;
    return {};
  }
  std::string in = input;
  std::string out(input.size() * 4 + 4, '\0');
  char* inPtr = in.data();
  char* outPtr = out.data();
  std::size_t inLeft = in.size();
  std::size_t outLeft = out.size();
  if (iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
    ADD_FAILURE() << "not valid " << from << " at byte " << (in.size() - inLeft) << " of a "
                  << in.size() << "-byte text";
  }
  iconv_close(converter);
  out.resize(out.size() - outLeft);
  return out;
}

constexpr char kSentinel = '\xFF';  // never a Shift-JIS byte, so any stray write shows

}  // namespace

std::string ToShiftJis(const std::string& utf8) { return Convert(utf8, "CP932", "UTF-8"); }

std::string ToUtf8(const std::string& shiftJis) { return Convert(shiftJis, "UTF-8", "CP932"); }

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
