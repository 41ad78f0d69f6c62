// Conversion between the library's Shift-JIS texts and the strings Qt displays.
#pragma once

#include <QByteArray>
#include <QString>

namespace kobal::app {

// Decodes a NUL-terminated Shift-JIS (code page 932) text for display.
QString DecodeShiftJis(const char* text);

// Encodes a displayed text as the 8-bit Shift-JIS string the library reads.
QByteArray EncodeShiftJis(const QString& text);

}  // namespace kobal::app
