// Menu 129: the lookup dialog's menu bar, built from its item table.
#include "MainMenu.h"

#include <QAction>
#include <QMenu>
#include <QString>

#include "resources/Resource.h"

namespace kobal::app {
namespace {

constexpr int kSeparator = 0;

struct MenuItem {
  int commandId;      // kSeparator for a separator line
  const char* label;  // UTF-8; the text after "\t" is shown as the shortcut hint
};

struct PopupMenu {
  const char* title;
  std::initializer_list<MenuItem> items;
};

}  // namespace

QMenuBar* CreateMainMenu(QWidget* parent, std::function<void(int)> onCommand) {
  static const PopupMenu kMenu[] = {
      {"ファイル(&F)", {{ID_MENU_EXIT, "終了(&X)\tESC"}}},
      {"ヘルプ(&H)",
       {{ID_MENU_CONTENTS, "目次(&C)\tF1"},
        {kSeparator, nullptr},
        {ID_MENU_ABOUT, "バージョン情報(&A)"}}},
  };
  auto* bar = new QMenuBar(parent);
  bar->setObjectName(QStringLiteral("menu-%1").arg(IDR_MAIN_MENU));
  for (const PopupMenu& popup : kMenu) {
    QMenu* menu = bar->addMenu(QString::fromUtf8(popup.title));
    for (const MenuItem& item : popup.items) {
      if (item.commandId == kSeparator) {
        menu->addSeparator();
        continue;
      }
      QAction* action = menu->addAction(QString::fromUtf8(item.label));
      action->setData(item.commandId);
      const int id = item.commandId;
      QObject::connect(action, &QAction::triggered, bar, [onCommand, id] { onCommand(id); });
    }
  }
  return bar;
}

}  // namespace kobal::app
