// CLookupApp: the application object; its start-up runs the lookup dialog as the main window.
#pragma once

#include <windows.h>

#include <string>

class CLookupDlg;

class CLookupApp {
 public:
  CLookupApp() = default;
  virtual ~CLookupApp();

  // Runs the lookup dialog modally; false, as there is no message loop after it.
  virtual BOOL InitInstance();

  // The program file's name without its extension ("Kobal" for Kobal.exe): the caption of the
  // program's message boxes.
  const std::wstring& DisplayName();

  CLookupDlg* m_pMainWnd = nullptr;

 private:
  std::wstring m_strDisplayName;
};

// The one application object.
CLookupApp& AfxGetApp();
