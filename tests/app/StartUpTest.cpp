// The start-up as the program runs it: the application object under a Japanese system locale.
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QtTest>
#include <memory>

#include "ContextMenuPaste.h"
#include "LookupApp.h"
#include "LookupDlg.h"
#include "NumberEdit.h"

class StartUpTest : public QObject {
  Q_OBJECT

  std::unique_ptr<CLookupDlg> dlg;

 private slots:
  void init() {
    dlg = std::make_unique<CLookupDlg>(nullptr);
    dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
  }
  void cleanup() { dlg.reset(); }

  void fieldContextMenusAreJapanese() {
    QCOMPARE(QLocale::system().language(), QLocale::Japanese);  // LANG=ja_JP.UTF-8
    for (QLineEdit* field : {static_cast<QLineEdit*>(dlg->m_editNumber), dlg->m_editResult}) {
      std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
      QStringList labels;
      for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) labels << action->text();
      }
      QStringList expected{QStringLiteral("コピー"), QStringLiteral("すべてを選択")};
      if (!field->isReadOnly())
        expected << QStringLiteral("元に戻す") << QStringLiteral("貼り付け");
      for (const QString& label : expected) {
        QVERIFY2(labels.filter(label).size() == 1, qPrintable(labels.join('|')));
      }
    }
    QMessageBox box(QMessageBox::Information, QString(), QString(), QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("キャンセル"));
  }

  void japanesePasteItemStillTakesWrittenNumbers() {
    std::unique_ptr<QMenu> menu(dlg->m_editNumber->createStandardContextMenu());
    QAction* paste = kobal::app::NumberEdit::FindPasteAction(*menu);
    QVERIFY(paste);
    QVERIFY(paste->text().startsWith(QStringLiteral("貼り付け")));
    // The item the field's own context menu offers, rewired to the number rules.
    QGuiApplication::clipboard()->setText(QStringLiteral("+81 90-1234-5678"));
    QVERIFY(kobal::app::test::PasteFromContextMenu(dlg->m_editNumber));
    QCOMPARE(dlg->m_editNumber->text(), QStringLiteral("09012345678"));
  }
};

int main(int argc, char** argv) {
  CLookupApp app(argc, argv);  // the program's own application object, translations and all
  StartUpTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "StartUpTest.moc"
