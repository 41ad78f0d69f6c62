/* A stand-in help viewer for the tests: registered for .hlp and .chm in the test's Wine prefix,
 * it appends the name the shell asked it to open to a file, and shows nothing (a window of its
 * own would take the focus from the dialog under test).
 *
 * Usage: kobal-help-recorder FILE NAME */
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  (void)instance;
  (void)previous;
  (void)commandLine;
  (void)show;
  if (__argc != 3) return 2;
  FILE* file = fopen(__argv[1], "a");
  if (file == NULL) return 1;
  fprintf(file, "%s\n", __argv[2]);
  fclose(file);
  return 0;
}
