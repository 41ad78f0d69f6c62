// The console behind standard output, written in UTF-16.
#include "cli/windows/Console.h"

#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <optional>

#include "cli/windows/ConsoleText.h"

namespace kobal::cli {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

// One console per process: the one standard output goes to, if any.
struct Console {
  int fd;
  HANDLE handle;
  ConsoleText text;
};
std::optional<Console> console;

bool WriteWide(std::u16string_view text) {
  while (!text.empty()) {
    const auto size = static_cast<DWORD>(std::min<std::size_t>(text.size(), 1u << 14));
    DWORD written = 0;
    if (!WriteConsoleW(console->handle, reinterpret_cast<const wchar_t*>(text.data()), size,
                       &written, nullptr) ||
        written == 0) {
      return false;
    }
    text.remove_prefix(written);
  }
  return true;
}

// A character cut short at the very end of the output is shown as one U+FFFD.
void FinishConsole() {
  if (console) WriteWide(console->text.Finish());
}

}  // namespace

bool UseConsoleFor(int fd, TextEncoding encoding) {
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  DWORD mode = 0;
  if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) return false;
  console.emplace(fd, handle, ConsoleText(encoding));
  std::atexit(FinishConsole);
  return true;
}

bool WritesToConsole(int fd) { return console && console->fd == fd; }

std::ptrdiff_t WriteToConsole(const char* data, std::size_t size) {
  if (!WriteWide(console->text.Convert({data, size}))) {
    errno = EIO;
    return -1;
  }
  return static_cast<std::ptrdiff_t>(size);
}

}  // namespace kobal::cli
