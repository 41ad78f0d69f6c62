// The number field: digits only from the keyboard; a pasted or dropped written number becomes
// its digits.
#include "NumberEdit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QRegularExpressionValidator>
#include <memory>
#include <string>

#include "normaliser/NumberNormaliser.h"

namespace kobal::app {

QString NumberFromPastedText(QStringView text) {
  std::string number;
  const QByteArray written = text.toUtf8();
  if (!NormalisePastedNumber(std::string_view(written.constData(), written.size()), number))
    return {};
  return QString::fromLatin1(number.data(), static_cast<qsizetype>(number.size()));
}

NumberEdit::NumberEdit(QWidget* parent) : QLineEdit(parent) {
  // Typed characters that are not ASCII digits are refused, as the library expects digits only.
  setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
  setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void NumberEdit::PasteNumber(const QString& text) {
  if (isReadOnly()) return;
  const QString number = NumberFromPastedText(text);
  if (number.isEmpty()) return;
  // insert() would cut what does not fit under maxLength(); a number that does not fit stays out.
  if (this->text().size() - selectedText().size() + number.size() > maxLength()) return;
  insert(number);
}

void NumberEdit::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    PasteNumber(QGuiApplication::clipboard()->text(QClipboard::Clipboard));
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void NumberEdit::mouseReleaseEvent(QMouseEvent* event) {
  // The X11 middle-button paste of the primary selection.
  if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
    setCursorPosition(cursorPositionAt(event->position().toPoint()));
    PasteNumber(QGuiApplication::clipboard()->text(QClipboard::Selection));
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
            [this] { PasteNumber(QGuiApplication::clipboard()->text(QClipboard::Clipboard)); });
  }
  menu->exec(event->globalPos());
}

void NumberEdit::dropEvent(QDropEvent* event) {
  // Dropped text follows the paste's rule, at the place it is dropped; it is copied, never
  // moved, so a drag from another field leaves that field as it was.
  if (isReadOnly() || !event->mimeData()->hasText()) {
    event->ignore();
    return;
  }
  setCursorPosition(cursorPositionAt(event->position().toPoint()));
  PasteNumber(event->mimeData()->text());
  event->setDropAction(Qt::CopyAction);
  event->accept();
}

}  // namespace kobal::app
