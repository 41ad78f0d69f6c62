// The number field: digits only from the keyboard; a pasted or dropped written number becomes
// its digits.
#pragma once

#include <QLineEdit>
#include <QString>
#include <QStringView>

class QAction;
class QMenu;

namespace kobal::app {

// The digits of a pasted text when it is one written number ("+81 90-1234-5678" gives
// "09012345678"); empty when it is not one number.
QString NumberFromPastedText(QStringView text);

class NumberEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit NumberEdit(QWidget* parent = nullptr);

  // Inserts the number written in `text` at the caret, replacing a selection. A text that is not
  // one number, or a number that does not fit in the input limit, inserts nothing: digits are
  // never cut from a number silently.
  void PasteNumber(const QString& text);

  // The paste item of the standard context menu.
  static QAction* FindPasteAction(const QMenu& menu);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void dropEvent(QDropEvent* event) override;
};

}  // namespace kobal::app
