// The text of the About box, composed from the product version of the version record.
#include "AboutText.h"

namespace kobal::app {
namespace {

constexpr char16_t kHead[] =
    u"端末情報調査ツール\n"
    u"--------------------------------\n"
    u"コバル Version ";
constexpr char16_t kTail[] = u"\n\nCopyright (C) 2026 The Kobal Project\n";

}  // namespace

QString ComposeVersionText(std::uint32_t productVersionMS, std::uint32_t productVersionLS) {
  const unsigned major = productVersionMS >> 16;
  const unsigned minor = productVersionMS & 0xFFFFu;
  const unsigned patch = productVersionLS >> 16;
  if (patch != 0) return QString::asprintf("%u.%u.%u", major, minor, patch);
  return QString::asprintf("%u.%u", major, minor);
}

QString ComposeAboutText(std::uint32_t productVersionMS, std::uint32_t productVersionLS) {
  return QString::fromUtf16(kHead) + ComposeVersionText(productVersionMS, productVersionLS) +
         QString::fromUtf16(kTail);
}

}  // namespace kobal::app
