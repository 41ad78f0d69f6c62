// CLookupDlg: the lookup dialog, the program's one window, as a Win32 dialog on layout 102.
#pragma once

#include <windows.h>

#include <string>

#include "resources/DialogLayout.h"

class CLookupDlg {
 public:
  enum class DataExchange { Load, Save };

  static constexpr int kNumberLimit = KOBAL_NUMBER_LIMIT;
  static constexpr int kResultBufferSize = 52;

  explicit CLookupDlg(HWND hwndParent);
  ~CLookupDlg();
  CLookupDlg(const CLookupDlg&) = delete;
  CLookupDlg& operator=(const CLookupDlg&) = delete;

  // Runs the dialog until it ends; returns how it ended (IDCANCEL, as a rule).
  INT_PTR DoModal();

  HWND m_hWnd = nullptr;
  HWND m_editResult = nullptr;
  HWND m_btnSearch = nullptr;
  HWND m_editNumber = nullptr;
  std::string m_strNumber;  // Shift-JIS digits, as the library reads them
  HICON m_hIcon;

 private:
  // One row of the dispatch table: a window message, or a command id of WM_COMMAND, and the
  // handler that answers it. Its result is the dialog procedure's: FALSE leaves the message to
  // the standard dialog handling.
  struct MessageEntry {
    UINT message;
    WORD command;  // for WM_COMMAND only
    INT_PTR (*handler)(CLookupDlg& dlg, WPARAM wParam, LPARAM lParam);
  };
  static const MessageEntry kMessageMap[];

  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  BOOL OnInitDialog();
  void DoDataExchange(DataExchange direction);
  void FocusNumber();

  BOOL OnPaint();
  HICON OnQueryDragIcon() const;
  void OnSearch();
  void OnAbout();
  void OnExit();
  void OnHelpContents();
  BOOL OnHelpInfo(const HELPINFO* request);

  HWND m_hwndParent;
};
