// Dialog units: layout sizes measured in fractions of the dialog font's character cell.
#pragma once

#include <QFont>
#include <QRect>
#include <QString>

#include "LookupLayout.h"

namespace kobal::app {

// The font a layout asks for, or the first available proportional Japanese Gothic face.
QFont ChooseDialogFont(const QString& face, int pointSize);

// The character cell of a font: its average character width (measured on the Latin letters)
// and its character height.
struct DialogBaseUnits {
  int averageCharWidth;
  int charHeight;

  static DialogBaseUnits Of(const QFont& font);
  QRect ToPixels(const DialogRect& units) const;
};

}  // namespace kobal::app
