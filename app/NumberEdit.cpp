// The number field: digits only from the keyboard, and pasted numbers reduced to their digits.
#include "NumberEdit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpressionValidator>
#include <memory>

namespace kobal::app {

QString KeepNumberDigits(QStringView text) {
  QString digits;
  for (const QChar c : text) {
    const char16_t code = c.unicode();
    if (code >= u'0' && code <= u'9') {
      digits.append(c);
    } else if (code >= u'０' && code <= u'９') {
      digits.append(QChar(u'0' + (code - u'０')));
    }
  }
  return digits;
}

NumberEdit::NumberEdit(QWidget* parent) : QLineEdit(parent) {
  // Typed characters that are not ASCII digits are refused, as the library expects digits only.
  setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
  setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void NumberEdit::PasteDigits(const QString& text) {
  if (isReadOnly()) return;
  // insert() replaces the selection and cuts what does not fit under maxLength().
  insert(KeepNumberDigits(text));
}

void NumberEdit::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    PasteDigits(QGuiApplication::clipboard()->text(QClipboard::Clipboard));
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void NumberEdit::mouseReleaseEvent(QMouseEvent* event) {
  // The X11 middle-button paste of the primary selection.
  if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
    setCursorPosition(cursorPositionAt(event->position().toPoint()));
    PasteDigits(QGuiApplication::clipboard()->text(QClipboard::Selection));
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

QAction* NumberEdit::FindPasteAction(const QMenu& menu) {
  // Named "edit-paste" from Qt 6.5 on; before that only its label tells it.
  const QString label = QLineEdit::tr("&Paste");
  for (QAction* action : menu.actions()) {
    if (action->objectName() == QLatin1String("edit-paste") || action->text().startsWith(label)) {
      return action;
    }
  }
  return nullptr;
}

void NumberEdit::contextMenuEvent(QContextMenuEvent* event) {
  std::unique_ptr<QMenu> menu(createStandardContextMenu());
  if (QAction* paste = FindPasteAction(*menu)) {
    disconnect(paste, &QAction::triggered, nullptr, nullptr);
    connect(paste, &QAction::triggered, this,
            [this] { PasteDigits(QGuiApplication::clipboard()->text(QClipboard::Clipboard)); });
  }
  menu->exec(event->globalPos());
}

}  // namespace kobal::app
