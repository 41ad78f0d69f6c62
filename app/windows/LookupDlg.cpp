// CLookupDlg: the lookup dialog, the program's one window, as a Win32 dialog on layout 102.
#include "LookupDlg.h"

#include <shellapi.h>

#include "AboutText.h"
#include "HelpFile.h"
#include "LookupApp.h"
#include "NumberField.h"
#include "WideText.h"
#include "kobal/KobalFnc.h"
#include "resources/Resource.h"

using kobal::win32::WideFromShiftJis;

// The dispatch table, in its order. Whatever it does not list goes to the standard dialog
// handling (DialogProc's default).
const CLookupDlg::MessageEntry CLookupDlg::kMessageMap[] = {
    {WM_PAINT, 0, [](CLookupDlg& dlg, WPARAM, LPARAM) -> INT_PTR { return dlg.OnPaint(); }},
    {WM_QUERYDRAGICON, 0,
     [](CLookupDlg& dlg, WPARAM, LPARAM) {
       return reinterpret_cast<INT_PTR>(dlg.OnQueryDragIcon());
     }},
    {WM_COMMAND, IDC_SEARCH,
     [](CLookupDlg& dlg, WPARAM, LPARAM) -> INT_PTR {
       dlg.OnSearch();
       return TRUE;
     }},
    {WM_COMMAND, ID_MENU_ABOUT,
     [](CLookupDlg& dlg, WPARAM, LPARAM) -> INT_PTR {
       dlg.OnAbout();
       return TRUE;
     }},
    {WM_COMMAND, ID_MENU_EXIT,
     [](CLookupDlg& dlg, WPARAM, LPARAM) -> INT_PTR {
       dlg.OnExit();
       return TRUE;
     }},
    {WM_COMMAND, ID_MENU_CONTENTS,
     [](CLookupDlg& dlg, WPARAM, LPARAM) -> INT_PTR {
       dlg.OnHelpContents();
       return TRUE;
     }},
    {WM_HELP, 0,
     [](CLookupDlg& dlg, WPARAM, LPARAM lParam) -> INT_PTR {
       return dlg.OnHelpInfo(reinterpret_cast<const HELPINFO*>(lParam));
     }},
};

CLookupDlg::CLookupDlg(HWND hwndParent)
    : m_hIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_KOBAL))),
      m_hwndParent(hwndParent) {}

CLookupDlg::~CLookupDlg() = default;  // the icon is a shared resource, never destroyed

INT_PTR CLookupDlg::DoModal() {
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_LOOKUP), m_hwndParent,
                         DialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CLookupDlg::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* dlg = reinterpret_cast<CLookupDlg*>(lParam);
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    dlg->m_hWnd = hwnd;
    return dlg->OnInitDialog();
  }
  auto* dlg = reinterpret_cast<CLookupDlg*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (dlg == nullptr) return FALSE;  // messages before WM_INITDIALOG (WM_SETFONT)
  return dlg->Dispatch(message, wParam, lParam);
}

INT_PTR CLookupDlg::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  for (const MessageEntry& entry : kMessageMap) {
    if (entry.message != message) continue;
    // Commands: clicks, Enter, mnemonics and menu items (notification 0), accelerators (1).
    if (message == WM_COMMAND && (LOWORD(wParam) != entry.command || HIWORD(wParam) > 1)) continue;
    const INT_PTR result = entry.handler(*this, wParam, lParam);
    // A menu opened from the keyboard leaves the focus where the menu bar put it; the number
    // field takes it back with its number selected, as after a search.
    if (message == WM_COMMAND && lParam == 0 && IsWindow(m_hWnd)) FocusNumber();
    return result;
  }
  switch (message) {
    case WM_COMMAND:
      // The standard cancel: Esc, the close box, the system menu's Close and Alt+F4 all come
      // here (the dialog turns WM_CLOSE into IDCANCEL).
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(m_hWnd, IDCANCEL);
        return TRUE;
      }
      break;
    case WM_DESTROY:
      kobal::win32::DetachNumberField(m_editNumber);
      AfxGetApp().m_pMainWnd = nullptr;
      break;
    default:
      break;
  }
  return FALSE;
}

BOOL CLookupDlg::OnInitDialog() {
  DoDataExchange(DataExchange::Load);
  kobal::win32::AttachNumberField(m_editNumber);
  SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
  return TRUE;  // the focus goes to the first control, the number field
}

void CLookupDlg::DoDataExchange(DataExchange direction) {
  if (m_editResult == nullptr) m_editResult = GetDlgItem(m_hWnd, IDC_RESULT);
  if (m_btnSearch == nullptr) m_btnSearch = GetDlgItem(m_hWnd, IDC_SEARCH);
  if (m_editNumber == nullptr) m_editNumber = GetDlgItem(m_hWnd, IDC_NUMBER);
  if (direction == DataExchange::Load) {
    SetWindowTextW(m_editNumber, WideFromShiftJis(m_strNumber).c_str());
  } else {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(m_editNumber)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(m_editNumber, text.data(), static_cast<int>(text.size()))));
    m_strNumber = kobal::win32::ShiftJisFromWide(text);
  }
  SendMessageW(m_editNumber, EM_SETLIMITTEXT, kNumberLimit, 0);
}

void CLookupDlg::FocusNumber() {
  // WM_NEXTDLGCTL, not SetFocus: the dialog then also knows which button is the default again.
  SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_editNumber), TRUE);
  SendMessageW(m_editNumber, EM_SETSEL, 0, -1);
  SendMessageW(m_editNumber, EM_SCROLLCARET, 0, 0);
}

BOOL CLookupDlg::OnPaint() {
  if (!IsIconic(m_hWnd)) return FALSE;
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(m_hWnd, &paint);
  SendMessageW(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  const int iconWidth = GetSystemMetrics(SM_CXICON);
  const int iconHeight = GetSystemMetrics(SM_CYICON);
  RECT client;
  GetClientRect(m_hWnd, &client);
  const int x = (client.right - client.left - iconWidth + 1) / 2;
  const int y = (client.bottom - client.top - iconHeight + 1) / 2;
  DrawIcon(dc, x, y, m_hIcon);
  EndPaint(m_hWnd, &paint);
  return TRUE;
}

HICON CLookupDlg::OnQueryDragIcon() const { return m_hIcon; }

void CLookupDlg::OnSearch() {
  DoDataExchange(DataExchange::Save);
  char result[kResultBufferSize];
  DetectCarrier(m_strNumber.c_str(), result);
  SetWindowTextW(m_editResult, WideFromShiftJis(result).c_str());
  FocusNumber();
}

void CLookupDlg::OnAbout() {
  const std::wstring text = kobal::win32::WideFromUtf8(kobal::app::kAboutText);
  MessageBoxW(m_hWnd, text.c_str(), AfxGetApp().DisplayName().c_str(), MB_OK | MB_ICONINFORMATION);
}

void CLookupDlg::OnExit() {
  // Queued: the close is handled after this handler returns, like Esc or the close box.
  PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
}

void CLookupDlg::OnHelpContents() {
  if (const wchar_t* file = kobal::win32::ChooseHelpFile()) {
    ShellExecuteW(m_hWnd, L"open", file, nullptr, nullptr, SW_SHOWNORMAL);
  }
}

BOOL CLookupDlg::OnHelpInfo(const HELPINFO*) {
  OnHelpContents();
  return TRUE;
}
