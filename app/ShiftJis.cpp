// Conversion between the library's Shift-JIS texts and the strings Qt displays.
#include "ShiftJis.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace kobal::app {

QString DecodeShiftJis(const char* text) {
  QStringDecoder decoder("Shift_JIS");
  return decoder(QByteArrayView(text));
}

QByteArray EncodeShiftJis(const QString& text) {
  QStringEncoder encoder("Shift_JIS");
  return encoder(text);
}

}  // namespace kobal::app
