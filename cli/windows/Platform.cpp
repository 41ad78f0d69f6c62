// kobal-lookup on Windows: the wide command line and wide file names, binary standard streams,
// and a console written as UTF-16.
#include "cli/Platform.h"

// clang-format off
#include <windows.h>  // before the other Windows headers, which need its types
#include <shellapi.h>
// clang-format on

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "lookup/windows/Console.h"

namespace kobal::cli {
namespace {

std::string ToUtf8(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
  utf8.pop_back();  // the NUL
  return utf8;
}

std::wstring ToUtf16(const std::string& text) {
  const int length = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), size);
  return wide;
}

}  // namespace

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  int count = 0;
  wchar_t** const wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return {argv, argv + argc};
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(ToUtf8(wide[i]));
  LocalFree(wide);
  return arguments;
}

void PrepareStandardStreams(lookup::OutputEncoding encoding) {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  lookup::UseConsoleFor(_fileno(stdout), encoding);
}

int OpenInput(const std::string& path) {
  const std::wstring name = ToUtf16(path);
  // The runtime refuses a directory as "Permission denied"; Linux reads one and says what it is.
  const DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    errno = EISDIR;
    return -1;
  }
  return _wopen(name.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

int CreateOutput(const std::string& path) {
  return _wopen(ToUtf16(path).c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY | _O_NOINHERIT,
                _S_IREAD | _S_IWRITE);
}

int CloseFile(int fd) { return _close(fd); }

// rename() refuses a target that exists on Windows.
bool MoveIntoPlace(const std::string& from, const std::string& to) {
  if (MoveFileExW(ToUtf16(from).c_str(), ToUtf16(to).c_str(), MOVEFILE_REPLACE_EXISTING) != 0) {
    return true;
  }
  errno = GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
  return false;
}

void RemoveFile(const std::string& path) { _wremove(ToUtf16(path).c_str()); }

int ProcessId() { return static_cast<int>(GetCurrentProcessId()); }

}  // namespace kobal::cli
