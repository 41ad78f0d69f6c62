// Conversions between the wide text of the Windows API and the program's 8-bit texts.
#include "WideText.h"

#include <windows.h>

namespace kobal::win32 {
namespace {

constexpr UINT kShiftJis = 932;

std::wstring ToWide(UINT codePage, DWORD flags, std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), length);
  return wide;
}

std::string FromWide(UINT codePage, DWORD flags, std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, flags, text.data(), size, narrow.data(), length, nullptr, nullptr);
  return narrow;
}

}  // namespace

std::wstring WideFromShiftJis(std::string_view text) { return ToWide(kShiftJis, 0, text); }

std::string ShiftJisFromWide(std::wstring_view text) { return FromWide(kShiftJis, 0, text); }

std::wstring WideFromUtf8(std::string_view text) { return ToWide(CP_UTF8, 0, text); }

std::string Utf8FromWide(std::wstring_view text) {
  return FromWide(CP_UTF8, WC_ERR_INVALID_CHARS, text);
}

}  // namespace kobal::win32
