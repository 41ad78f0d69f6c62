// Resource and control ids of the Kobal window program.
#pragma once

// Resources of the program file.
inline constexpr int IDD_LOOKUP = 102;     // dialog layout of the lookup dialog
inline constexpr int IDI_KOBAL = 128;      // application icon
inline constexpr int IDR_MAIN_MENU = 129;  // menu bar of the lookup dialog

// Controls of the lookup dialog (1002 is not used).
inline constexpr int IDC_NUMBER = 1000;
inline constexpr int IDC_SEARCH = 1001;
inline constexpr int IDC_RESULT = 1003;

// Menu commands.
inline constexpr int ID_MENU_EXIT = 32771;
inline constexpr int ID_MENU_CONTENTS = 32772;
inline constexpr int ID_MENU_ABOUT = 32773;
