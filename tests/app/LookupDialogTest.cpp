// The lookup dialog driven through its real widgets: typing, pasting, searching, closing.
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "ContextMenuPaste.h"
#include "LookupDlg.h"
#include "NumberEdit.h"
#include "ShiftJis.h"
#include "kobal/KobalFnc.h"
#include "resources/Resource.h"

namespace {

QString LibraryAnswer(const char* number) {
  char result[CLookupDlg::kResultBufferSize];
  DetectCarrier(number, result);
  return kobal::app::DecodeShiftJis(result);
}

// Where the caret is drawn, in the line's own coordinates.
QRect CaretRect(const QLineEdit* line) {
  return line->inputMethodQuery(Qt::ImCursorRectangle).toRect();
}

}  // namespace

class LookupDialogTest : public QObject {
  Q_OBJECT

  std::unique_ptr<CLookupDlg> dlg;

 private slots:
  void init() {
    dlg = std::make_unique<CLookupDlg>(nullptr);
    dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
    dlg->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dlg.get()));
  }
  void cleanup() { dlg.reset(); }

  void opensEmptyWithFocusInNumberField() {
    QVERIFY(dlg->m_editNumber && dlg->m_btnSearch && dlg->m_editResult);
    QCOMPARE(dlg->m_editNumber->text(), QString());
    QCOMPARE(dlg->m_editResult->text(), QString());
    QCOMPARE(QApplication::focusWidget(), dlg->m_editNumber);
    QCOMPARE(dlg->m_editNumber->maxLength(), 11);
  }

  void typingKeepsDigitsAndStopsAtEleven() {
    QTest::keyClicks(dlg->m_editNumber, QStringLiteral("031234567890123"));
    QCOMPARE(dlg->m_editNumber->text(), QStringLiteral("03123456789"));
    dlg->m_editNumber->clear();
    QTest::keyClicks(dlg->m_editNumber, QStringLiteral("0a3-1 (2)+#"));
    QTest::sendKeyEvent(QTest::Click, dlg->m_editNumber, Qt::Key_unknown, QStringLiteral("３"),
                        Qt::NoModifier);  // a full-width digit from an input method
    QCOMPARE(dlg->m_editNumber->text(), QStringLiteral("0312"));
  }

  void pasteTakesOneWrittenNumber_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("expected");
    QTest::newRow("hyphens") << QString() << QStringLiteral("03-1234-5678")
                             << QStringLiteral("0312345678");
    QTest::newRow("brackets and blanks")
        << QString() << QStringLiteral("(0120) 12 3456") << QStringLiteral("0120123456");
    QTest::newRow("full-width digits")
        << QString() << QStringLiteral("０９０−１２３４−５６７８") << QStringLiteral("09012345678");
    QTest::newRow("international form")
        << QString() << QStringLiteral("+81 90-1234-5678") << QStringLiteral("09012345678");
    QTest::newRow("a cell copied from a spreadsheet")
        << QString() << QStringLiteral("03-1234-5678\r\n") << QStringLiteral("0312345678");
    // Nothing is inserted, and the field keeps what it held.
    QTest::newRow("twelve digits are not cut to eleven")
        << QStringLiteral("117") << QStringLiteral("090-1234-5678-9") << QStringLiteral("117");
    QTest::newRow("two numbers") << QStringLiteral("117")
                                 << QStringLiteral("03-1234-5678 または 06-6211-0000")
                                 << QStringLiteral("117");
    QTest::newRow("two lines") << QStringLiteral("117")
                               << QStringLiteral("0312345678\n0312345679\n")
                               << QStringLiteral("117");
    QTest::newRow("no digits") << QStringLiteral("117") << QStringLiteral("TEL:")
                               << QStringLiteral("117");
    QTest::newRow("empty clipboard") << QStringLiteral("117") << QString() << QStringLiteral("117");
  }
  void pasteTakesOneWrittenNumber() {
    QFETCH(QString, before);
    QFETCH(QString, clipboard);
    QFETCH(QString, expected);
    QTest::keyClicks(dlg->m_editNumber, before);
    QGuiApplication::clipboard()->setText(clipboard);
    QTest::keySequence(dlg->m_editNumber, QKeySequence::Paste);
    QCOMPARE(dlg->m_editNumber->text(), expected);
  }

  void pasteReplacesSelectionAndNeverCuts() {
    QTest::keyClicks(dlg->m_editNumber, QStringLiteral("0901234"));
    dlg->m_editNumber->setSelection(3, 4);  // "1234"
    QGuiApplication::clipboard()->setText(QStringLiteral("5-6"));
    QTest::keySequence(dlg->m_editNumber, QKeySequence::Paste);
    QCOMPARE(dlg->m_editNumber->text(), QStringLiteral("09056"));
    // Nine more digits would make fourteen: the paste is refused rather than cut.
    QGuiApplication::clipboard()->setText(QStringLiteral("111 222 333"));
    QTest::keySequence(dlg->m_editNumber, QKeySequence::Paste);
    QCOMPARE(dlg->m_editNumber->text(), QStringLiteral("09056"));
    QGuiApplication::clipboard()->setText(QStringLiteral("111 222"));
    QTest::keySequence(dlg->m_editNumber, QKeySequence::Paste);
    QCOMPARE(dlg->m_editNumber->text(), QStringLiteral("09056111222"));
  }

  void dropTakesOneWrittenNumberAtTheDropPoint() {
    const auto drop = [this](const QString& text, int position) {
      QMimeData data;
      data.setText(text);
      dlg->m_editNumber->setCursorPosition(position);
      const QPointF point(CaretRect(dlg->m_editNumber).center());
      // The caret elsewhere: the number goes where it is dropped.
      position == 0 ? dlg->m_editNumber->end(false) : dlg->m_editNumber->home(false);
      QDropEvent event(point, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                       Qt::NoModifier);
      // Straight to the field: QApplication delivers a drop only within a drag it runs itself.
      static_cast<QObject*>(dlg->m_editNumber)->event(&event);
      return event.isAccepted() ? event.dropAction() : Qt::IgnoreAction;
    };
    QCOMPARE(drop(QStringLiteral("+81 90-1234-5678"), 0), Qt::CopyAction);
    QCOMPARE(dlg->m_editNumber->text(), QStringLiteral("09012345678"));
    dlg->m_editNumber->setText(QStringLiteral("0312"));
    drop(QStringLiteral("34-56"), 4);
    QCOMPARE(dlg->m_editNumber->text(), QStringLiteral("03123456"));
    for (const QString& notOneNumber :
         {QStringLiteral("Kobal"), QStringLiteral("03-3520-XXXX"), QStringLiteral("1234567890")}) {
      drop(notOneNumber, 0);
      QCOMPARE(dlg->m_editNumber->text(), QStringLiteral("03123456"));
    }
  }

  void contextMenuPasteTakesTheWrittenNumber() {
    QGuiApplication::clipboard()->setText(QStringLiteral("+81 6-6211-0000"));
    QVERIFY(kobal::app::test::PasteFromContextMenu(dlg->m_editNumber));
    QCOMPARE(dlg->m_editNumber->text(), QStringLiteral("0662110000"));
  }

  void everyWayToSearchGivesTheSameAnswer_data() {
    QTest::addColumn<int>("way");
    QTest::newRow("Enter in the number field") << 0;
    QTest::newRow("Enter in the result line") << 1;
    QTest::newRow("Alt+S") << 2;
    QTest::newRow("button click") << 3;
    QTest::newRow("Enter on the button") << 4;
  }
  void everyWayToSearchGivesTheSameAnswer() {
    QFETCH(int, way);
    QTest::keyClicks(dlg->m_editNumber, QStringLiteral("0112012345"));
    switch (way) {
      case 0:
        QTest::keyClick(dlg->m_editNumber, Qt::Key_Return);
        break;
      case 1:
        dlg->m_editResult->setFocus();
        QTest::keyClick(dlg->m_editResult, Qt::Key_Enter);
        break;
      case 2:
        QTest::keyClick(dlg->m_editNumber, Qt::Key_S, Qt::AltModifier);
        break;
      case 3:
        QTest::mouseClick(dlg->m_btnSearch, Qt::LeftButton);
        break;
      case 4:
        dlg->m_btnSearch->setFocus();
        QTest::keyClick(dlg->m_btnSearch, Qt::Key_Return);
        break;
    }
    // A mnemonic presses the button with a short animation, so the answer may come a moment later.
    QTRY_COMPARE(dlg->m_editResult->text(), QStringLiteral("NTT固定（北海道札幌大通）"));
    QCOMPARE(dlg->m_strNumber, QByteArray("0112012345"));
    QCOMPARE(QApplication::focusWidget(), dlg->m_editNumber);
  }

  void answersAreTheLibrarysTextDecoded_data() {
    QTest::addColumn<QByteArray>("number");
    QTest::newRow("service") << QByteArray("110");
    QTest::newRow("half-width katakana") << QByteArray("100");
    QTest::newRow("toll-free") << QByteArray("0120123456");
    QTest::newRow("mobile") << QByteArray("09012345678");
    QTest::newRow("nine digits") << QByteArray("046021234");
  }
  void answersAreTheLibrarysTextDecoded() {
    QFETCH(QByteArray, number);
    QTest::keyClicks(dlg->m_editNumber, QString::fromLatin1(number));
    QTest::keyClick(dlg->m_editNumber, Qt::Key_Return);
    QCOMPARE(dlg->m_editResult->text(), LibraryAnswer(number.constData()));
    QVERIFY(dlg->m_editResult->text() != QStringLiteral("不明"));
  }

  void searchSelectsTheNumberForTheNextOne() {
    dlg->m_editResult->setFocus();
    QTest::keyClicks(dlg->m_editNumber, QStringLiteral("117"));
    QTest::keyClick(dlg->m_editNumber, Qt::Key_Return);
    QCOMPARE(dlg->m_editResult->text(), QStringLiteral("時報"));
    QCOMPARE(QApplication::focusWidget(), dlg->m_editNumber);
    QCOMPARE(dlg->m_editNumber->selectedText(), QStringLiteral("117"));
    QTest::keyClicks(dlg->m_editNumber, QStringLiteral("110"));
    QCOMPARE(dlg->m_editNumber->text(), QStringLiteral("110"));
    QCOMPARE(dlg->m_editResult->text(), QStringLiteral("時報"));  // kept until the next search
    QTest::keyClick(dlg->m_editNumber, Qt::Key_Return);
    QCOMPARE(dlg->m_editResult->text(), QStringLiteral("警察への緊急通報"));
    QTest::keyClick(dlg->m_editNumber, Qt::Key_Return);
    QCOMPARE(dlg->m_editResult->text(), QStringLiteral("警察への緊急通報"));
  }

  void emptySearchShowsUnknown() {
    QTest::mouseClick(dlg->m_btnSearch, Qt::LeftButton);
    QCOMPARE(dlg->m_editResult->text(), QStringLiteral("不明"));
    QCOMPARE(QApplication::focusWidget(), dlg->m_editNumber);
    QCOMPARE(dlg->m_strNumber, QByteArray(""));
  }

  void longAnswerShowsItsBeginning() {
    QTest::keyClicks(dlg->m_editNumber, QStringLiteral("0153751234"));
    QTest::keyClick(dlg->m_editNumber, Qt::Key_Return);
    const QString expected = QStringLiteral("NTT固定（北海道別海／上春別／上風連／浜別海）");
    QCOMPARE(dlg->m_editResult->text(), expected);  // whole, not cut
    QVERIFY(dlg->m_editResult->fontMetrics().horizontalAdvance(expected) >
            dlg->m_editResult->width());
    QCOMPARE(dlg->m_editResult->cursorPosition(), 0);
    dlg->m_editResult->repaint();                      // the line scrolls when it is drawn
    QVERIFY(CaretRect(dlg->m_editResult).left() < 8);  // the first character is in view
    // The caret scrolls through the rest, and the text can be selected for copying.
    dlg->m_editResult->setFocus();
    QTest::keyClick(dlg->m_editResult, Qt::Key_End, Qt::ShiftModifier);
    QCOMPARE(dlg->m_editResult->selectedText(), expected);
    dlg->m_editResult->repaint();
    QVERIFY(CaretRect(dlg->m_editResult).center().x() <= dlg->m_editResult->width());
  }

  void shortAnswerIsCentred() {
    QTest::keyClicks(dlg->m_editNumber, QStringLiteral("117"));
    QTest::keyClick(dlg->m_editNumber, Qt::Key_Return);
    dlg->m_editResult->repaint();
    const int textWidth =
        dlg->m_editResult->fontMetrics().horizontalAdvance(QStringLiteral("時報"));
    const int left = CaretRect(dlg->m_editResult).center().x();
    const int expectedLeft = (dlg->m_editResult->width() - textWidth) / 2;
    QVERIFY2(qAbs(left - expectedLeft) <= 4,
             qPrintable(QStringLiteral("%1 %2").arg(left).arg(expectedLeft)));
  }

  void escapeExitAndCloseEndTheDialogAlike_data() {
    QTest::addColumn<int>("way");
    QTest::newRow("Esc in the number field") << 0;
    QTest::newRow("Esc in the result line") << 1;
    QTest::newRow("menu Exit") << 2;
    QTest::newRow("close box") << 3;
  }
  void escapeExitAndCloseEndTheDialogAlike() {
    QFETCH(int, way);
    QTest::keyClicks(dlg->m_editNumber, QStringLiteral("123"));
    switch (way) {
      case 0:
        QTest::keyClick(dlg->m_editNumber, Qt::Key_Escape);
        break;
      case 1:
        QTest::keyClick(dlg->m_editResult, Qt::Key_Escape);
        break;
      case 2: {
        QAction* exit = nullptr;
        for (QAction* action : dlg->findChildren<QAction*>()) {
          if (action->data().toInt() == ID_MENU_EXIT) exit = action;
        }
        QVERIFY(exit);
        exit->trigger();
        QVERIFY(dlg->isVisible());  // queued: handled after the command returns
        break;
      }
      case 3:
        dlg->windowHandle()->close();
        break;  // as the window manager asks
    }
    QTRY_VERIFY(!dlg->isVisible());
    QCOMPARE(dlg->result(), int(QDialog::Rejected));
  }
};

QTEST_MAIN(LookupDialogTest)
#include "LookupDialogTest.moc"
