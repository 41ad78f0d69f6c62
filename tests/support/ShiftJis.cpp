// Test helpers: iconv conversions between UTF-8 and code page 932.
#include "support/ShiftJis.h"

#include <gtest/gtest.h>
#include <iconv.h>

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

}  // namespace

std::string ToShiftJis(const std::string& utf8) { return Convert(utf8, "CP932", "UTF-8"); }

std::string ToUtf8(const std::string& shiftJis) { return Convert(shiftJis, "UTF-8", "CP932"); }

}  // namespace kobal::test
