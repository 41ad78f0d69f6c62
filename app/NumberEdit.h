// The number field: digits only from the keyboard, and pasted numbers reduced to their digits.
#pragma once

#include <QLineEdit>
#include <QString>
#include <QStringView>

class QAction;
class QMenu;

namespace kobal::app {

// The digits of a pasted text, full-width ones as ASCII; separators and everything else dropped.
QString KeepNumberDigits(QStringView text);

class NumberEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit NumberEdit(QWidget* parent = nullptr);

  // Inserts the digits of `text` at the caret (replacing a selection), cut at the input limit.
  void PasteDigits(const QString& text);

  // The paste item of the standard context menu.
  static QAction* FindPasteAction(const QMenu& menu);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
};

}  // namespace kobal::app
