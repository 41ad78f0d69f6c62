// Pastes into a number field through its own context menu, as a mouse user would.
#pragma once

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

#include "NumberEdit.h"

namespace kobal::app::test {

// Opens `field`'s context menu and triggers its paste item; false when the menu had none.
inline bool PasteFromContextMenu(QLineEdit* field) {
  bool triggered = false;
  QTimer::singleShot(0, field, [&] {
    auto* shown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (shown == nullptr) return;
    if (QAction* paste = NumberEdit::FindPasteAction(*shown)) {
      paste->trigger();
      triggered = true;
    }
    shown->close();
  });
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), field->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(field, &event);
  return triggered;
}

}  // namespace kobal::app::test
