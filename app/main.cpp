// Kobal: the window program that tells what a Japanese telephone number is.
#include "LookupApp.h"

int main(int argc, char** argv) {
  CLookupApp app(argc, argv);
  app.InitInstance();  // false: there is no message loop after the dialog
  return 0;
}
