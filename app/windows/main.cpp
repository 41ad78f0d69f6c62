// Kobal: the window program that tells what a Japanese telephone number is.
#include <windows.h>

#include "LookupApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  AfxGetApp().InitInstance();  // false: there is no message loop after the dialog
  return 0;
}
