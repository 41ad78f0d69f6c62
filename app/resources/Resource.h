// Resource and control ids of the Kobal window program: plain #defines, which a resource
// compiler reads as well as C++ does.
#ifndef KOBAL_APP_RESOURCE_H
#define KOBAL_APP_RESOURCE_H

// Resources of the program file.
#define IDD_LOOKUP 102     // dialog layout of the lookup dialog
#define IDI_KOBAL 128      // application icon
#define IDR_MAIN_MENU 129  // menu bar of the lookup dialog

// Controls of the lookup dialog (1002 is not used).
#define IDC_NUMBER 1000
#define IDC_SEARCH 1001
#define IDC_RESULT 1003

// Menu commands.
#define ID_MENU_EXIT 32771
#define ID_MENU_CONTENTS 32772
#define ID_MENU_ABOUT 32773

#endif  // KOBAL_APP_RESOURCE_H
