// The text of the About box in UTF-8, lines separated by "\n" alone: plain C++ with no toolkit,
// so that the Qt window, the Win32 window and the web page show the very same text.
#pragma once

#include "KobalVersion.h"
#include "resources/CreditLine.h"

namespace kobal::app {

inline constexpr char kAboutText[] =
    "端末情報調査ツール\n"
    "--------------------------------\n"
    "コバル Version " KOBAL_VERSION_SHOWN "\n\n" KOBAL_CREDIT_LINE "\n";

}  // namespace kobal::app
