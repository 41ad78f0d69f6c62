// Menu 129: the lookup dialog's menu bar, built from its item table.
#pragma once

#include <QMenuBar>
#include <functional>

namespace kobal::app {

// Builds the menu bar; `onCommand` receives the command id of every chosen item.
QMenuBar* CreateMainMenu(QWidget* parent, std::function<void(int)> onCommand);

}  // namespace kobal::app
