// CLookupApp: the application object; its start-up runs the lookup dialog as the main window.
#include "LookupApp.h"

#include <commctrl.h>
#include <ole2.h>

#include "LookupDlg.h"

namespace {

CLookupApp theApp;

}  // namespace

CLookupApp& AfxGetApp() { return theApp; }

CLookupApp::~CLookupApp() = default;

BOOL CLookupApp::InitInstance() {
  // The themed look of the controls (common controls 6, asked for by the manifest).
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  // Dropping text onto the number field needs OLE on this thread.
  const bool ole = SUCCEEDED(OleInitialize(nullptr));
  {
    CLookupDlg dlg(nullptr);
    m_pMainWnd = &dlg;
    dlg.DoModal();  // the result (cancel, as a rule) does not matter
    m_pMainWnd = nullptr;
  }
  if (ole) OleUninitialize();
  return FALSE;
}

const std::wstring& CLookupApp::DisplayName() {
  if (m_strDisplayName.empty()) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path, length < MAX_PATH ? length : 0);
    name.erase(0, name.find_last_of(L"\\/") + 1);  // npos + 1 is 0: a bare name stays whole
    if (const auto dot = name.find_last_of(L'.'); dot != std::wstring::npos) name.erase(dot);
    m_strDisplayName = name;
  }
  return m_strDisplayName;
}
