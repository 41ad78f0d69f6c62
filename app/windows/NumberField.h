// The number field's paste and drop: a written number becomes its digits by the rules every
// front end shares; a text that is not one number inserts nothing.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace kobal::win32 {

// The digits of `text` when it is one written number ("+81 90-1234-5678" gives "09012345678");
// empty when it is not.
std::string NumberFromPastedText(std::wstring_view text);

// Makes the edit control `field` take typed ASCII digits only and turn pasted and dropped text
// into the number it writes, within the field's input limit.
void AttachNumberField(HWND field);
void DetachNumberField(HWND field);

}  // namespace kobal::win32
