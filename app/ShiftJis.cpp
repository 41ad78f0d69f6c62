// Conversion between the library's Shift-JIS texts and the strings Qt displays.
#include "ShiftJis.h"

#include <QStringEncoder>

#include "encodings/AnswerText.h"

namespace kobal::app {

QString DecodeShiftJis(const char* text) { return QString::fromStdString(AnswerUtf8(text)); }

QByteArray EncodeShiftJis(const QString& text) {
  QStringEncoder encoder("Shift_JIS");
  return encoder(text);
}

}  // namespace kobal::app
