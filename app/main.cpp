// Kobal: the window program that tells what a Japanese telephone number is.
#include <cstdio>
#include <cstdlib>

#include "LookupApp.h"

namespace {

// Somewhere to show the window: an X or Wayland display, or a platform Qt was told to use.
bool HasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  // Without a display Qt aborts with a page of plugin diagnostics; one line says what is wrong.
  if (!HasDisplay()) {
    std::fprintf(stderr,
                 "%s: no display to show the window on (DISPLAY is not set); start it in a "
                 "desktop session, or on a virtual display with: xvfb-run -a %s\n",
                 argv[0], argv[0]);
    return 1;
  }
  CLookupApp app(argc, argv);
  app.InitInstance();  // false: there is no message loop after the dialog
  return 0;
}
