// The look of the search button: the platform style, with a visible mark while it has the focus.
#pragma once

#include <QProxyStyle>

namespace kobal::app {

// Styles such as Fusion draw a focused push button exactly like the default button, so that a
// dialog whose only button is its default one never shows where the focus is. This style adds a
// dotted rectangle inside a focused button's bevel, as classic dialogs do.
class FocusMarkStyle : public QProxyStyle {
  Q_OBJECT

 public:
  // Follows the application's style, whichever it is.
  FocusMarkStyle();

  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget = nullptr) const override;
};

}  // namespace kobal::app
