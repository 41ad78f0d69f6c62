// The window's About text for the page, which asks the engine it runs anyway when it shows the
// About box: the very text app/AboutText.h gives the Qt and Win32 windows.
#include "AboutText.h"

// The About text in UTF-8, NUL-terminated; valid as long as the module lives.
extern "C" __attribute__((visibility("default"))) const char* KobalAboutText() {
  return kobal::app::kAboutText;
}
