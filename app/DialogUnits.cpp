// Dialog units: layout sizes measured in fractions of the dialog font's character cell.
#include "DialogUnits.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

namespace kobal::app {
namespace {

// value * numerator / denominator, rounded to the nearest integer.
int ScaleRounded(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator
                                       : (product - half) / denominator);
}

}  // namespace

QFont ChooseDialogFont(const QString& face, int pointSize) {
  const QStringList candidates{face, QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック"),
                               QStringLiteral("Noto Sans CJK JP")};
  const QStringList available = QFontDatabase::families();
  QFont font;
  font.setPointSize(pointSize);
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  font.setStyleHint(QFont::SansSerif);
  for (const QString& candidate : candidates) {
    if (available.contains(candidate, Qt::CaseInsensitive)) {
      font.setFamilies({candidate});
      return font;
    }
  }
  font.setFamilies(candidates);  // let fontconfig find the nearest face
  return font;
}

DialogBaseUnits DialogBaseUnits::Of(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  // The average over 52 letters, rounded.
  return DialogBaseUnits{(letters / 26 + 1) / 2, metrics.height()};
}

QRect DialogBaseUnits::ToPixels(const DialogRect& units) const {
  const auto x = [this](int value) { return ScaleRounded(value, averageCharWidth, 4); };
  const auto y = [this](int value) { return ScaleRounded(value, charHeight, 8); };
  return QRect(x(units.x), y(units.y), x(units.width), y(units.height));
}

}  // namespace kobal::app
