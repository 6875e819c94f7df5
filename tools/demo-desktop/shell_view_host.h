// --shell-view: the view that the platform's shell makes of a folder, hosted
// in a window of ours (Progman or the WorkerW). The shell creates its own
// SHELLDLL_DefView and SysListView32 there; captions and pictures are asked
// of the shell on demand, the item data are the items' ID lists.
#pragma once

#include <windows.h>
#include <shobjidl.h>

#include <string>

#include <wrl/client.h>

namespace icotrace::demo {

class ShellViewHost {
 public:
  ShellViewHost() = default;
  ~ShellViewHost() { Destroy(); }
  ShellViewHost(const ShellViewHost&) = delete;
  ShellViewHost& operator=(const ShellViewHost&) = delete;

  // Binds the folder and shows its view over parent's client area, in icon
  // mode without auto-arrangement. False when the shell refused; the thread
  // must be OLE-initialized.
  bool Create(HWND parent, const std::wstring& folder);
  // Ends the view window while its parent still exists.
  void Destroy();

  HWND View() const { return m_viewWindow; }
  // The shell's list view in the view window, or null.
  HWND ListView() const;

 private:
  Microsoft::WRL::ComPtr<IShellFolder> m_folder;
  Microsoft::WRL::ComPtr<IShellView> m_view;
  Microsoft::WRL::ComPtr<IShellBrowser> m_browser;
  HWND m_viewWindow = nullptr;
};

}  // namespace icotrace::demo
