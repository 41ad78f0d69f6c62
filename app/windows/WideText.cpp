// Conversions between the wide text of the Windows API and the program's 8-bit texts.
#include "WideText.h"

#include <windows.h>

#include "encodings/AnswerText.h"
#include "encodings/Utf16.h"

namespace kobal::win32 {
namespace {

// wchar_t is UTF-16 on Windows.
std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

std::wstring WideFromShiftJis(std::string_view text) { return Wide(AnswerUtf16(text)); }

std::string ShiftJisFromWide(std::wstring_view text) {
  if (text.empty()) return {};
  constexpr UINT kShiftJis = 932;
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(kShiftJis, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(kShiftJis, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
  return narrow;
}

std::wstring WideFromUtf8(std::string_view text) { return Wide(Utf16FromUtf8(text)); }

std::string Utf8FromWide(std::wstring_view text) {
  const std::u16string utf16(text.begin(), text.end());
  return Utf8FromUtf16(utf16).value_or(std::string());
}

}  // namespace kobal::win32
