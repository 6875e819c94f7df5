// The browsers of the demo desktop's views: what a browser of one view
// answers, and the least a shell view needs from the window that hosts it.
#pragma once

#include <windows.h>
#include <shobjidl.h>

namespace icotrace::demo {

// The answers of a browser that shows one view and nothing else: no menus,
// status text or toolbars, no browsing elsewhere. What is left (IUnknown,
// the window, the view) is each browser's own.
class BrowserOfOneView : public IShellBrowser {
 public:
  // IOleWindow
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IShellBrowser
  HRESULT STDMETHODCALLTYPE InsertMenusSB(HMENU, LPOLEMENUGROUPWIDTHS) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetMenuSB(HMENU, HOLEMENU, HWND) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE RemoveMenusSB(HMENU) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetStatusTextSB(LPCWSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnableModelessSB(BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE TranslateAcceleratorSB(MSG*, WORD) override { return S_FALSE; }
  // The desktop shows one folder and never another.
  HRESULT STDMETHODCALLTYPE BrowseObject(PCUIDLIST_RELATIVE, UINT) override { return E_FAIL; }
  HRESULT STDMETHODCALLTYPE GetViewStateStream(DWORD, IStream** stream) override;
  HRESULT STDMETHODCALLTYPE GetControlWindow(UINT, HWND* window) override;
  HRESULT STDMETHODCALLTYPE SendControlMsg(UINT, UINT, WPARAM, LPARAM, LRESULT* result) override;
  HRESULT STDMETHODCALLTYPE OnViewWindowActive(IShellView*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetToolbarItems(LPTBBUTTONSB, UINT, UINT) override { return E_NOTIMPL; }

 protected:
  ~BrowserOfOneView() = default;
};

// The least a shell view needs from the window that hosts it: the parent
// window (IOleWindow).
class DemoShellBrowser final : public BrowserOfOneView {
 public:
  // One reference, the caller's.
  explicit DemoShellBrowser(HWND parent) : m_parent(parent) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
  HRESULT STDMETHODCALLTYPE QueryActiveShellView(IShellView** view) override;

 private:
  ~DemoShellBrowser() = default;

  HWND m_parent;
  LONG m_references = 1;
};

}  // namespace icotrace::demo
