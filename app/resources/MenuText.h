// Menu 129's labels (UTF-8) as plain #defines, which the Windows resource script reads as well as
// C++ does: "&" marks the mnemonic, the text after the tab is the shortcut hint.
#ifndef KOBAL_APP_MENU_TEXT_H
#define KOBAL_APP_MENU_TEXT_H

#define KOBAL_MENU_FILE "ファイル(&F)"
#define KOBAL_MENU_EXIT "終了(&X)\tESC"
#define KOBAL_MENU_HELP "ヘルプ(&H)"
#define KOBAL_MENU_CONTENTS "目次(&C)\tF1"
#define KOBAL_MENU_ABOUT "バージョン情報(&A)"

#endif  // KOBAL_APP_MENU_TEXT_H
