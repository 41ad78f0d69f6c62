// Which help file F1 and the Contents command hand to the shell.
#include "HelpFile.h"

#include <windows.h>

namespace kobal::win32 {
namespace {

constexpr wchar_t kHelpFile[] = L"kobal.hlp";
constexpr wchar_t kCompiledHelpFile[] = L"kobal.chm";

bool Exists(const wchar_t* name) {
  const DWORD attributes = GetFileAttributesW(name);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A WinHelp file begins with the magic number 0x00035F3F.
bool IsWinHelpFile(const wchar_t* name) {
  HANDLE file = CreateFileW(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  unsigned char magic[4] = {};
  DWORD read = 0;
  const bool ok = ReadFile(file, magic, sizeof magic, &read, nullptr) && read == sizeof magic;
  CloseHandle(file);
  return ok && magic[0] == 0x3F && magic[1] == 0x5F && magic[2] == 0x03 && magic[3] == 0x00;
}

}  // namespace

const wchar_t* ChooseHelpFile() {
  const bool hasHelp = Exists(kHelpFile);
  if (Exists(kCompiledHelpFile) && !(hasHelp && IsWinHelpFile(kHelpFile))) {
    return kCompiledHelpFile;
  }
  return hasHelp ? kHelpFile : nullptr;
}

}  // namespace kobal::win32
