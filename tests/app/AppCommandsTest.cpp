// The dialog's frame and commands: layout 102, menu 129, help and About, as Qt delivers them.
#include <QAccessible>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "DialogUnits.h"
#include "LookupDlg.h"
#include "resources/Resource.h"

// Receives what the dialog asks the desktop to open: Qt's own hook for a URL scheme.
class OpenRecorder : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> opened;

 public slots:
  void open(const QUrl& url) { opened.append(url); }
};

class AppCommandsTest : public QObject {
  Q_OBJECT

  std::unique_ptr<CLookupDlg> dlg;
  OpenRecorder recorder;

  QAction* MenuAction(int id) const {
    for (QAction* action : dlg->findChildren<QAction*>()) {
      if (action->data().toInt() == id) return action;
    }
    return nullptr;
  }

  int OtherVisibleWindows() const {
    QCoreApplication::processEvents();
    int count = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (window->isVisible() && window != dlg.get() && !qobject_cast<QMenu*>(window)) ++count;
    }
    return count;
  }

  QUrl HelpUrl() const {
    return QUrl::fromLocalFile(QDir::current().absoluteFilePath("kobal.hlp"));
  }

 private slots:
  void init() {
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "open");
    recorder.opened.clear();
    dlg = std::make_unique<CLookupDlg>(nullptr);
    dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
    dlg->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dlg.get()));
  }
  void cleanup() {
    dlg.reset();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
  }

  void windowFollowsLayout102() {
    QCOMPARE(dlg->windowTitle(), QStringLiteral("Kobal"));
    const Qt::WindowFlags flags = dlg->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(dlg->windowType(), Qt::Window);  // its own task bar entry
    QCOMPARE(dlg->minimumSize(), dlg->maximumSize());
    QCOMPARE(dlg->font().pointSize(), 14);
    QVERIFY(QStringList({"ＭＳ Ｐゴシック", "IPAPGothic", "Noto Sans CJK JP"})
                .contains(dlg->font().family()));

    const auto units = kobal::app::DialogBaseUnits::Of(dlg->font());
    QVERIFY(units.averageCharWidth > 4 && units.charHeight > 10);
    QWidget* client = dlg->m_editNumber->parentWidget();
    QCOMPARE(client->size(), units.ToPixels({0, 0, 139, 37}).size());
    QCOMPARE(dlg->m_editNumber->geometry(), units.ToPixels({3, 4, 63, 12}));
    QCOMPARE(dlg->m_btnSearch->geometry(), units.ToPixels({71, 4, 35, 12}));
    QCOMPARE(dlg->m_editResult->parentWidget()->geometry(), units.ToPixels({3, 21, 132, 12}));
    QVERIFY(dlg->m_editNumber->fontMetrics().horizontalAdvance("00000000000") <
            dlg->m_editNumber->width());  // eleven digits fit without sideways scrolling
  }

  void controlsBehaveAsLaidOut() {
    QCOMPARE(dlg->m_btnSearch->text(), QStringLiteral("検索(&S)"));
    QVERIFY(dlg->m_btnSearch->isDefault());
    QVERIFY(dlg->m_editResult->isReadOnly());
    QCOMPARE(dlg->m_editResult->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(dlg->m_editNumber->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    QCOMPARE(dlg->m_editResult->focusPolicy(), Qt::StrongFocus);
    // Tab order: number field, search button, result line.
    QCOMPARE(dlg->m_editNumber->nextInFocusChain(), dlg->m_btnSearch);
    QTest::keyClick(dlg->m_editNumber, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), dlg->m_btnSearch);
    QTest::keyClick(dlg->m_btnSearch, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), dlg->m_editResult);
    QVERIFY(!dlg->m_hIcon.isNull());
    QVERIFY(dlg->m_hIcon.availableSizes().contains(QSize(16, 16)));
    QVERIFY(dlg->m_hIcon.availableSizes().contains(QSize(32, 32)));
    QCOMPARE(dlg->windowIcon().cacheKey(), dlg->m_hIcon.cacheKey());
    // The control ids name the controls, for tools that look for them.
    QCOMPARE(dlg->findChild<QLineEdit*>(QStringLiteral("control-1000")), dlg->m_editNumber);
    QCOMPARE(dlg->findChild<QPushButton*>(QStringLiteral("control-1001")), dlg->m_btnSearch);
    QCOMPARE(dlg->findChild<QLineEdit*>(QStringLiteral("control-1003")), dlg->m_editResult);
  }

  void dataExchangeMovesTheNumberBothWays() {
    struct ExchangingDlg : CLookupDlg {
      using CLookupDlg::DoDataExchange;
    } exchanging;
    exchanging.m_strNumber = "0312";
    exchanging.DoDataExchange(CLookupDlg::DataExchange::Load);
    QCOMPARE(exchanging.m_editNumber->text(), QStringLiteral("0312"));
    QCOMPARE(exchanging.m_editNumber->maxLength(), 11);
    exchanging.m_editNumber->setMaxLength(3);
    exchanging.m_editNumber->setText(QStringLiteral("99"));
    exchanging.DoDataExchange(CLookupDlg::DataExchange::Save);
    QCOMPARE(exchanging.m_strNumber, QByteArray("99"));
    QCOMPARE(exchanging.m_editNumber->maxLength(), 11);  // reapplied in either direction
  }

  void menuTextsAndHints() {
    const QList<QAction*> menus = dlg->findChild<QMenuBar*>()->actions();
    QCOMPARE(menus.size(), 2);
    QCOMPARE(menus[0]->text(), QStringLiteral("ファイル(&F)"));
    QCOMPARE(menus[1]->text(), QStringLiteral("ヘルプ(&H)"));
    QCOMPARE(MenuAction(ID_MENU_EXIT)->text(), QStringLiteral("終了(&X)\tESC"));
    QCOMPARE(MenuAction(ID_MENU_CONTENTS)->text(), QStringLiteral("目次(&C)\tF1"));
    QCOMPARE(MenuAction(ID_MENU_ABOUT)->text(), QStringLiteral("バージョン情報(&A)"));
    const QList<QAction*> help = menus[1]->menu()->actions();
    QCOMPARE(help.size(), 3);
    QVERIFY(help[1]->isSeparator());
    // The hints are honoured by the dialog, not by shortcuts of their own.
    QVERIFY(MenuAction(ID_MENU_EXIT)->shortcut().isEmpty());
    QVERIFY(MenuAction(ID_MENU_CONTENTS)->shortcut().isEmpty());
  }

  void menuCommandsHandTheNumberBackSelected_data() {
    QTest::addColumn<int>("command");
    QTest::newRow("About") << ID_MENU_ABOUT;
    QTest::newRow("Contents") << ID_MENU_CONTENTS;
  }
  void menuCommandsHandTheNumberBackSelected() {
    QFETCH(int, command);
    QTest::keyClicks(dlg->m_editNumber, QStringLiteral("110"));
    QTest::keyClick(dlg->m_editNumber, Qt::Key_Return);
    // As a menu opened from the keyboard leaves it: the menu bar has the focus, nothing selected.
    dlg->findChild<QMenuBar*>()->setFocus(Qt::MenuBarFocusReason);
    dlg->m_editNumber->deselect();
    QTimer::singleShot(0, this, [] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
    });
    MenuAction(command)->trigger();
    QTRY_COMPARE(dlg->focusWidget(), dlg->m_editNumber);  // offscreen, the window stays inactive
    QCOMPARE(dlg->m_editNumber->selectedText(), QStringLiteral("110"));
    QTest::keyClicks(dlg->m_editNumber, QStringLiteral("117"));
    QCOMPARE(dlg->m_editNumber->text(), QStringLiteral("117"));
  }

  void keysOnAnIdleMenuBarGoToTheNumberField() {
    QTest::keyClicks(dlg->m_editNumber, QStringLiteral("110"));
    QTest::keyClick(dlg->m_editNumber, Qt::Key_Return);
    auto* bar = dlg->findChild<QMenuBar*>();
    bar->setFocus(Qt::MenuBarFocusReason);  // where an abandoned keyboard menu can leave it
    QCOMPARE(QApplication::focusWidget(), bar);
    QTest::keyClick(bar, Qt::Key_1);  // replaces the selected number
    QCOMPARE(QApplication::focusWidget(), dlg->m_editNumber);
    QTest::keyClicks(dlg->m_editNumber, QStringLiteral("17"));
    QCOMPARE(dlg->m_editNumber->text(), QStringLiteral("117"));
    bar->setFocus(Qt::MenuBarFocusReason);
    QTest::keyClick(bar, Qt::Key_Escape);
    QTRY_VERIFY(!dlg->isVisible());
  }

  void oneFontForTheMenusContextMenusAndAboutBox() {
    const QString face = dlg->font().family();
    const int size = dlg->font().pointSize();
    QList<QWidget*> windows;
    for (QAction* menu : dlg->findChild<QMenuBar*>()->actions()) windows.append(menu->menu());
    std::unique_ptr<QMenu> numberMenu(dlg->m_editNumber->createStandardContextMenu());
    std::unique_ptr<QMenu> resultMenu(dlg->m_editResult->createStandardContextMenu());
    QMessageBox about(QMessageBox::Information, QString(), QStringLiteral("Kobal"), QMessageBox::Ok,
                      dlg.get());
    windows << numberMenu.get() << resultMenu.get() << &about;
    for (const QWidget* window : windows) {
      QCOMPARE(window->font().family(), face);
      QCOMPARE(window->font().pointSize(), size);
    }
  }

  void controlsTellScreenReadersWhatTheyAre() {
    struct Expected {
      QWidget* control;
      QAccessible::Role role;
      QString name;
    };
    const Expected controls[] = {
        {dlg->m_editNumber, QAccessible::EditableText, QStringLiteral("電話番号")},
        {dlg->m_btnSearch, QAccessible::Button, QStringLiteral("検索")},
        {dlg->m_editResult, QAccessible::EditableText, QStringLiteral("検索結果")},
    };
    QStringList descriptions;
    for (const Expected& expected : controls) {
      QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(expected.control);
      QVERIFY(accessible);
      QCOMPARE(accessible->role(), expected.role);
      QCOMPARE(accessible->text(QAccessible::Name), expected.name);
      descriptions << accessible->text(QAccessible::Description);
      QVERIFY(!descriptions.last().isEmpty());
    }
    descriptions.removeDuplicates();
    QCOMPARE(descriptions.size(), 3);
    QVERIFY(QAccessible::queryAccessibleInterface(dlg->m_editResult)->state().readOnly);
  }

  void focusedButtonIsVisiblyMarked() {
    QCOMPARE(QApplication::focusWidget(), dlg->m_editNumber);
    const QImage unfocused = dlg->m_btnSearch->grab().toImage();
    QTest::keyClick(dlg->m_editNumber, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), dlg->m_btnSearch);
    const QImage focused = dlg->m_btnSearch->grab().toImage();
    QVERIFY(focused != unfocused);
  }

  void helpOpensKobalHlpFromTheWorkingDirectory_data() {
    QTest::addColumn<int>("way");
    QTest::newRow("F1 in the number field") << 0;
    QTest::newRow("F1 on the button") << 1;
    QTest::newRow("F1 in the result line") << 2;
    QTest::newRow("Contents") << 3;
    QTest::newRow("F1 in an open menu") << 4;
    QTest::newRow("F1 from the window system") << 5;
    QTest::newRow("F1 in the About box") << 6;
  }
  void helpOpensKobalHlpFromTheWorkingDirectory() {
    QFETCH(int, way);
    QTemporaryDir elsewhere;  // not the program's folder, and no kobal.hlp in it
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(elsewhere.path()));
    switch (way) {
      case 0:
        QTest::keyClick(dlg->m_editNumber, Qt::Key_F1);
        break;
      case 1:
        QTest::keyClick(dlg->m_btnSearch, Qt::Key_F1);
        break;
      case 2:
        QTest::keyClick(dlg->m_editResult, Qt::Key_F1);
        break;
      case 3:
        MenuAction(ID_MENU_CONTENTS)->trigger();
        break;
      case 4: {
        QMenu* file = dlg->findChild<QMenuBar*>()->actions()[0]->menu();
        file->popup(dlg->mapToGlobal(QPoint(0, 0)));
        QVERIFY(QTest::qWaitForWindowExposed(file));
        QTest::keyClick(file, Qt::Key_F1);
        file->close();
        break;
      }
      case 5:  // through the platform's key events, as a real key press arrives
        QTest::keyClick(dlg->windowHandle(), Qt::Key_F1);
        QCOMPARE(dlg->m_editNumber->text(), QString());  // the key is taken, not typed
        break;
      case 6:
        QTimer::singleShot(0, this, [] {
          QWidget* box = QApplication::activeModalWidget();
          QVERIFY(qobject_cast<QMessageBox*>(box));
          QVERIFY(QTest::qWaitForWindowActive(box));
          QTest::keyClick(box, Qt::Key_F1);
          box->close();
        });
        MenuAction(ID_MENU_ABOUT)->trigger();
        break;
    }
    QCOMPARE(recorder.opened, QList<QUrl>{HelpUrl()});
    QVERIFY(recorder.opened[0].toLocalFile().startsWith(elsewhere.path()));
    QCOMPARE(OtherVisibleWindows(), 0);  // nothing of the program's own is shown
    QVERIFY(dlg->isVisible());
    QDir::setCurrent(previous);
  }

  void onlyTheSearchCommandSearches() {
    QTest::keyClicks(dlg->m_editNumber, QStringLiteral("117"));
    QCOMPARE(dlg->m_editResult->text(), QString());  // typing alone asks nothing
    dlg->m_btnSearch->click();
    QCOMPARE(dlg->m_editResult->text(), QStringLiteral("時報"));
    QCOMPARE(dlg->m_editNumber->selectedText(), QStringLiteral("117"));
  }

  void aboutBoxShowsTheTextByteForByte() {
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    bool modalToDialog = false;
    QTimer::singleShot(0, this, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box);
      text = box->text();
      title = box->windowTitle();
      icon = box->icon();
      buttons = box->standardButtons();
      modalToDialog = box->parentWidget() == dlg.get();
      box->button(QMessageBox::Ok)->click();
    });
    MenuAction(ID_MENU_ABOUT)->trigger();
    const QByteArray expected =
        "\xE7\xAB\xAF\xE6\x9C\xAB\xE6\x83\x85\xE5\xA0\xB1\xE8\xAA\xBF\xE6\x9F\xBB\xE3\x83\x84"
        "\xE3\x83\xBC\xE3\x83\xAB\n"                        // 端末情報調査ツール
        "--------------------------------\n"                // 32 hyphen-minus signs
        "\xE3\x82\xB3\xE3\x83\x90\xE3\x83\xAB Version 0.1"  // コバル Version 0.1
        "\n\nCopyright (C) 2026 The Kobal Project\n";
    QCOMPARE(text.toUtf8(), expected);
    const QByteArray shiftJis = QStringEncoder("Shift_JIS").encode(text);
    QVERIFY(!shiftJis.isEmpty() && !shiftJis.contains('\r'));
    QCOMPARE(title, QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
    QCOMPARE(icon, QMessageBox::Information);
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(modalToDialog);
    QVERIFY(dlg->isVisible());
  }
};

QTEST_MAIN(AppCommandsTest)
#include "AppCommandsTest.moc"
