#include "shell_browser.h"

namespace icotrace::demo {

HRESULT DemoShellBrowser::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleWindow) ||
      IsEqualIID(iid, IID_IShellBrowser)) {
    *object = static_cast<IShellBrowser*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG DemoShellBrowser::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&m_references));
}

ULONG DemoShellBrowser::Release() {
  const LONG left = InterlockedDecrement(&m_references);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT DemoShellBrowser::GetWindow(HWND* window) {
  if (window == nullptr) return E_POINTER;
  *window = m_parent;
  return S_OK;
}

HRESULT BrowserOfOneView::GetViewStateStream(DWORD, IStream** stream) {
  if (stream != nullptr) *stream = nullptr;
  return E_NOTIMPL;
}

HRESULT BrowserOfOneView::GetControlWindow(UINT, HWND* window) {
  if (window != nullptr) *window = nullptr;
  return E_NOTIMPL;
}

HRESULT BrowserOfOneView::SendControlMsg(UINT, UINT, WPARAM, LPARAM, LRESULT* result) {
  if (result != nullptr) *result = 0;
  return E_NOTIMPL;
}

HRESULT DemoShellBrowser::QueryActiveShellView(IShellView** view) {
  if (view != nullptr) *view = nullptr;
  return E_NOINTERFACE;
}

}  // namespace icotrace::demo
