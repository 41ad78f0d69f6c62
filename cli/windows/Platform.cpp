// kobal-lookup on Windows: the wide command line and wide file names, binary standard streams,
// a console written as UTF-16 (cli/windows/Console.h), and the C runtime's _read and _write, which
// take an unsigned count, with a closed pipe reported as EPIPE (the runtime says EINVAL or leaves
// the Windows error unmapped).
#include "cli/Platform.h"

// clang-format off
#include <windows.h>  // before the other Windows headers, which need its types
#include <shellapi.h>
// clang-format on

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>

#include "cli/windows/Console.h"
#include "encodings/Utf16.h"

namespace kobal::cli {
namespace {

// wchar_t is UTF-16 on Windows.
std::string ToUtf8(const wchar_t* text) {
  return Utf8FromUtf16Replacing(reinterpret_cast<const char16_t*>(text));
}

std::wstring ToUtf16(const std::string& text) {
  const std::u16string utf16 = Utf16FromUtf8(text);
  return std::wstring(utf16.begin(), utf16.end());
}

// Counts the runtime takes and returns as an int.
unsigned Clamp(std::size_t size) {
  return static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX));
}

bool IsPipe(int fd) {
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  return handle != INVALID_HANDLE_VALUE && GetFileType(handle) == FILE_TYPE_PIPE;
}

}  // namespace

static_assert(kStandardInput == 0 && kStandardOutput == 1);  // _fileno(stdin), _fileno(stdout)

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  int count = 0;
  wchar_t** const wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return {argv, argv + argc};
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(ToUtf8(wide[i]));
  LocalFree(wide);
  return arguments;
}

void PrepareStandardStreams(TextEncoding encoding) {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  UseConsoleFor(_fileno(stdout), encoding);
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

std::ptrdiff_t ReadDescriptor(int fd, char* to, std::size_t size) {
  const int got = _read(fd, to, Clamp(size));
  // A pipe whose writer has gone is the end of the input, as on POSIX.
  if (got < 0 && GetLastError() == ERROR_BROKEN_PIPE) return 0;
  return got;
}

std::ptrdiff_t WriteDescriptor(int fd, const char* data, std::size_t size) {
  if (WritesToConsole(fd)) return WriteToConsole(data, size);
  SetLastError(ERROR_SUCCESS);
  const int written = _write(fd, data, Clamp(size));
  if (written >= 0) return written;
  const DWORD error = GetLastError();
  if (error == ERROR_NO_DATA || error == ERROR_BROKEN_PIPE || (errno == EINVAL && IsPipe(fd))) {
    errno = EPIPE;
  }
  return -1;
}

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
