// The text of the About box, composed from the product version of the version record. Plain
// C++ with no Qt, so that the web page shows the very text the window does.
#pragma once

#include <cstdint>
#include <string>

namespace kobal::app {

// "major.minor", or "major.minor.patch" when the patch is not 0; the fourth part is never shown.
std::string ComposeVersionText(std::uint32_t productVersionMS, std::uint32_t productVersionLS);

// Head, version text and tail in UTF-8, lines separated by "\n" alone.
std::string ComposeAboutText(std::uint32_t productVersionMS, std::uint32_t productVersionLS);

}  // namespace kobal::app
