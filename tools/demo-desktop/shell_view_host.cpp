#include "shell_view_host.h"

#include <commctrl.h>
#include <shlobj.h>

#include <memory>

#include "shell_browser.h"

namespace icotrace::demo {
namespace {

struct IdListFree {
  void operator()(ITEMIDLIST* list) const { CoTaskMemFree(list); }
};

Microsoft::WRL::ComPtr<IShellFolder> BindFolder(const std::wstring& path) {
  Microsoft::WRL::ComPtr<IShellFolder> desktop;
  Microsoft::WRL::ComPtr<IShellFolder> folder;
  if (FAILED(SHGetDesktopFolder(desktop.ReleaseAndGetAddressOf()))) return folder;
  ITEMIDLIST* raw = nullptr;
  std::wstring name = path;
  if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, name.data(), nullptr, &raw, nullptr))) {
    return folder;
  }
  const std::unique_ptr<ITEMIDLIST, IdListFree> list(raw);
  desktop->BindToObject(list.get(), nullptr, IID_IShellFolder,
                        reinterpret_cast<void**>(folder.ReleaseAndGetAddressOf()));
  return folder;
}

}  // namespace

bool ShellViewHost::Create(HWND parent, const std::wstring& folder) {
  m_folder = BindFolder(folder);
  if (!m_folder) return false;
  if (FAILED(m_folder->CreateViewObject(
          parent, IID_IShellView, reinterpret_cast<void**>(m_view.ReleaseAndGetAddressOf())))) {
    return false;
  }
  m_browser.Attach(new DemoShellBrowser(parent));
  FOLDERSETTINGS settings{};
  settings.ViewMode = FVM_ICON;
  settings.fFlags = FWF_NOSCROLL | FWF_NOCLIENTEDGE;  // no FWF_AUTOARRANGE, as most desktops
  RECT area{};
  GetClientRect(parent, &area);
  if (FAILED(m_view->CreateViewWindow(nullptr, &settings, m_browser.Get(), &area, &m_viewWindow)) ||
      m_viewWindow == nullptr) {
    m_viewWindow = nullptr;
    return false;
  }
  m_view->UIActivate(SVUIA_ACTIVATE_NOFOCUS);
  return ListView() != nullptr;
}

void ShellViewHost::Destroy() {
  if (m_view && m_viewWindow != nullptr) {
    m_view->UIActivate(SVUIA_DEACTIVATE);
    m_view->DestroyViewWindow();
  }
  m_viewWindow = nullptr;
  m_view.Reset();
  m_browser.Reset();
  m_folder.Reset();
}

HWND ShellViewHost::ListView() const {
  return m_viewWindow == nullptr ? nullptr
                                 : FindWindowExW(m_viewWindow, nullptr, WC_LISTVIEWW, nullptr);
}

}  // namespace icotrace::demo
