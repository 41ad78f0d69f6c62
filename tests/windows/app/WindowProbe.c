/* Reads the Kobal window's state back for the tests that drive it under Wine, from inside the
 * same Wine desktop: every dialog window (#32770) with its caption, rectangle and controls (id,
 * class, rectangle, text, selection), the control that has the keyboard focus, the menu bar's
 * items and the open popup menus. One line per fact, UTF-8, text escaped (\n, \\).
 *
 * Usage: kobal-window-probe state

 */
#include <stdio.h>
#include <string.h>
#include <wchar.h>
#include <windows.h>

static void PrintText(const wchar_t* text) {
  char utf8[8192];
  int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, NULL, NULL);
  putchar('"');
  for (int i = 0; i + 1 < length; ++i) {
    if (utf8[i] == '\n') {
      fputs("\\n", stdout);
    } else if (utf8[i] == '\r') {
      fputs("\\r", stdout);
    } else if (utf8[i] == '\\' || utf8[i] == '"') {
      printf("\\%c", utf8[i]);
    } else {
      putchar(utf8[i]);
    }
  }
  putchar('"');
}

static void PrintRect(RECT rect) {
  printf(" %ld %ld %ld %ld", rect.left, rect.top, rect.right, rect.bottom);
}

static BOOL CALLBACK PrintControl(HWND control, LPARAM dialog) {
  if (GetParent(control) != (HWND)dialog) return TRUE;
  wchar_t className[64];
  wchar_t text[2048];
  RECT rect;
  GetClassNameW(control, className, 64);
  /* A window that does not answer (a program still starting, or stuck) reads as empty. */
  DWORD_PTR copied = 0;
  text[0] = L'\0';
  SendMessageTimeoutW(control, WM_GETTEXT, 2048, (LPARAM)text, SMTO_ABORTIFHUNG, 2000, &copied);
  GetWindowRect(control, &rect);
  printf("control %d %ls", GetDlgCtrlID(control), className);
  PrintRect(rect);
  putchar(' ');
  PrintText(text);
  if (_wcsicmp(className, L"Edit") == 0) {
    DWORD start = 0, end = 0;
    SendMessageW(control, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    printf(" selection %lu %lu limit %ld", start, end,
           (long)SendMessageW(control, EM_GETLIMITTEXT, 0, 0));
  }
  putchar('\n');
  return TRUE;
}

static BOOL CALLBACK PrintDialog(HWND window, LPARAM unused) {
  (void)unused;
  wchar_t className[64];
  wchar_t caption[256];
  RECT rect;
  if (!IsWindowVisible(window)) return TRUE;
  GetClassNameW(window, className, 64);
  if (wcscmp(className, L"#32770") != 0 && wcscmp(className, L"#32768") != 0) return TRUE;
  GetWindowTextW(window, caption, 256);
  GetWindowRect(window, &rect);
  printf("window %ls %lu", className, GetWindowThreadProcessId(window, NULL));
  PrintRect(rect);
  putchar(' ');
  PrintText(caption);
  putchar('\n');
  if (wcscmp(className, L"#32768") == 0) return TRUE;

  /* Where a user clicks: the close box, and each item of the menu bar. */
  int frame = GetSystemMetrics(SM_CXFIXEDFRAME) + GetSystemMetrics(SM_CXPADDEDBORDER);
  printf("closebox %ld %ld\n", rect.right - frame - GetSystemMetrics(SM_CXSIZE) / 2,
         rect.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2);
  /* The menu bar lies between the caption and the client area (a menu of another process is
   * out of reach in Wine, so the tests find its items as a user does). */
  RECT client;
  GetClientRect(window, &client);
  MapWindowPoints(window, NULL, (POINT*)&client, 2);
  printf("client");
  PrintRect(client);
  putchar('\n');
  EnumChildWindows(window, PrintControl, (LPARAM)window);

  GUITHREADINFO thread;
  memset(&thread, 0, sizeof thread);
  thread.cbSize = sizeof thread;
  if (GetGUIThreadInfo(GetWindowThreadProcessId(window, NULL), &thread) &&
      thread.hwndFocus != NULL && GetParent(thread.hwndFocus) == window) {
    printf("focus %d\n", GetDlgCtrlID(thread.hwndFocus));
  }
  return TRUE;
}

int main(int argc, char** argv) {
  if (argc >= 2 && strcmp(argv[1], "state") == 0) {
    EnumWindows(PrintDialog, 0);
    return 0;
  }
  fputs("usage: kobal-window-probe state\n", stderr);
  return 2;
}
