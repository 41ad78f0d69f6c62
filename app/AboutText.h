// The text of the About box, composed from the product version of the version record.
#pragma once

#include <QString>
#include <cstdint>

namespace kobal::app {

// "major.minor", or "major.minor.patch" when the patch is not 0; the fourth part is never shown.
QString ComposeVersionText(std::uint32_t productVersionMS, std::uint32_t productVersionLS);

// Head, version text and tail, lines separated by "\n" alone.
QString ComposeAboutText(std::uint32_t productVersionMS, std::uint32_t productVersionLS);

}  // namespace kobal::app
