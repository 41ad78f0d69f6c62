// Dialog units: layout sizes measured in fractions of the dialog font's character cell.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>

namespace kobal::app {

// The font a layout asks for, or the first available proportional Japanese Gothic face.
QFont ChooseDialogFont(const QString& face, int pointSize);

// A horizontal unit is a quarter of the font's average character width (measured on the Latin
// letters), a vertical unit an eighth of its character height.
struct DialogBaseUnits {
  int averageCharWidth;
  int charHeight;

  static DialogBaseUnits Of(const QFont& font);
  int ToPixelsX(int units) const;
  int ToPixelsY(int units) const;
  QRect ToPixels(const QRect& units) const;
  QSize ToPixels(const QSize& units) const;
};

}  // namespace kobal::app
