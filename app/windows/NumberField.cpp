// The number field's typing, paste and drop.
#include "NumberField.h"

#include <commctrl.h>
#include <ole2.h>

#include "WideText.h"
#include "normaliser/NumberNormaliser.h"

namespace kobal::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 1;

// Inserts the number written in `text` at the caret, replacing a selection. A number that does
// not fit in the input limit stays out whole: digits are never cut from a number silently.
void InsertNumber(HWND field, std::wstring_view text) {
  if (GetWindowLongPtrW(field, GWL_STYLE) & ES_READONLY) return;
  const std::string number = NumberFromPastedText(text);
  if (number.empty()) return;
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const auto limit = static_cast<std::size_t>(SendMessageW(field, EM_GETLIMITTEXT, 0, 0));
  const auto kept = static_cast<std::size_t>(GetWindowTextLengthW(field)) - (end - start);
  if (kept + number.size() > limit) return;
  const std::wstring digits(number.begin(), number.end());
  SendMessageW(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(digits.c_str()));
}

// The clipboard's text, or nothing when it holds none (an image, a file list ...).
std::wstring ClipboardText(HWND owner) {
  std::wstring text;
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      // GlobalSize bounds a text whose terminating NUL is missing.
      text.assign(chars, wcsnlen(chars, GlobalSize(data) / sizeof(wchar_t)));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

// Text dragged onto the field from another program: the same rule as a paste.
class NumberDropTarget final : public IDropTarget {
 public:
  explicit NumberDropTarget(HWND field) : m_hwndField(field) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid == IID_IUnknown || iid == IID_IDropTarget) {
      *object = static_cast<IDropTarget*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++m_nRefs; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG refs = --m_nRefs;
    if (refs == 0) delete this;
    return refs;
  }

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    FORMATETC format = TextFormat();
    m_bHasText = data->QueryGetData(&format) == S_OK;
    *effect = m_bHasText ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
    *effect = m_bHasText ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    *effect = DROPEFFECT_NONE;
    FORMATETC format = TextFormat();
    STGMEDIUM medium{};
    if (data->GetData(&format, &medium) != S_OK) return S_OK;
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(medium.hGlobal))) {
      const std::wstring text(chars, wcsnlen(chars, GlobalSize(medium.hGlobal) / sizeof(wchar_t)));
      GlobalUnlock(medium.hGlobal);
      InsertNumber(m_hwndField, text);
      *effect = DROPEFFECT_COPY;
    }
    ReleaseStgMedium(&medium);
    return S_OK;
  }

 private:
  static FORMATETC TextFormat() {
    return {CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  }

  HWND m_hwndField;
  ULONG m_nRefs = 1;
  bool m_bHasText = false;
};

LRESULT CALLBACK NumberFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR) {
  switch (message) {
    case WM_CHAR:
      // Control characters (Backspace, Ctrl+A, Ctrl+C ...) keep working; other characters that
      // are not ASCII digits are refused, full-width ones included.
      if (wParam >= 0x20 && (wParam < L'0' || wParam > L'9')) return 0;
      break;
    case WM_PASTE:
      InsertNumber(field, ClipboardText(field));
      return 0;
    default:
      break;
  }
  return DefSubclassProc(field, message, wParam, lParam);
}

}  // namespace

std::string NumberFromPastedText(std::wstring_view text) {
  std::string number;
  const std::string written = Utf8FromWide(text);
  if (!NormalisePastedNumber(written, number)) return {};
  return number;
}

void AttachNumberField(HWND field) {
  SetWindowSubclass(field, NumberFieldProc, kSubclassId, 0);
  auto* target = new NumberDropTarget(field);
  RegisterDragDrop(field, target);  // holds its own reference when it succeeds
  target->Release();
}

void DetachNumberField(HWND field) {
  RevokeDragDrop(field);
  RemoveWindowSubclass(field, NumberFieldProc, kSubclassId);
}

}  // namespace kobal::win32
