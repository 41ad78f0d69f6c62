// The window's About text for the web page. The build calls this once and writes the text into
// the page, so that both show what app/AboutText.cpp composes from the same version record.
#include <string>

#include "AboutText.h"
#include "resources/VersionRecord.h"

// The About text in UTF-8, NUL-terminated; valid as long as the module lives.
extern "C" __attribute__((visibility("default"))) const char* KobalAboutText() {
  static const std::string text = kobal::app::ComposeAboutText(
      kobal::app::kProgramVersion.productVersionMS, kobal::app::kProgramVersion.productVersionLS);
  return text.c_str();
}
