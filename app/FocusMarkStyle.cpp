// The look of the search button: the platform style, with a visible mark while it has the focus.
#include "FocusMarkStyle.h"

#include <QPainter>
#include <QStyleOptionButton>

namespace kobal::app {

FocusMarkStyle::FocusMarkStyle() : QProxyStyle(nullptr) {}

void FocusMarkStyle::drawControl(ControlElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
  QProxyStyle::drawControl(element, option, painter, widget);
  if (element != CE_PushButton || !(option->state & State_HasFocus)) return;
  const QRect mark = subElementRect(SE_PushButtonFocusRect, option, widget).adjusted(1, 1, -1, -1);
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing, false);
  painter->setPen(QPen(option->palette.color(QPalette::ButtonText), 1, Qt::DotLine));
  painter->setBrush(Qt::NoBrush);
  painter->drawRect(mark.adjusted(0, 0, -1, -1));
  painter->restore();
}

}  // namespace kobal::app
