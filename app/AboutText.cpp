// The text of the About box, composed from the product version of the version record.
#include "AboutText.h"

#include "resources/CreditLine.h"

namespace kobal::app {
namespace {

constexpr char kHead[] =
    "端末情報調査ツール\n"
    "--------------------------------\n"
    "コバル Version ";
constexpr char kTail[] = "\n\n" KOBAL_CREDIT_LINE "\n";

}  // namespace

std::string ComposeVersionText(std::uint32_t productVersionMS, std::uint32_t productVersionLS) {
  const unsigned major = productVersionMS >> 16;
  const unsigned minor = productVersionMS & 0xFFFFu;
  const unsigned patch = productVersionLS >> 16;
  std::string text = std::to_string(major) + '.' + std::to_string(minor);
  if (patch != 0) text += '.' + std::to_string(patch);
  return text;
}

std::string ComposeAboutText(std::uint32_t productVersionMS, std::uint32_t productVersionLS) {
  return kHead + ComposeVersionText(productVersionMS, productVersionLS) + kTail;
}

}  // namespace kobal::app
