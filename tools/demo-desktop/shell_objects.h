// The shell's objects that other processes reach through COM on a desktop of
// --windows-shell, each as Microsoft documents it: the window list
// (IShellWindows::FindWindowSW with SWC_DESKTOP), the browser behind the
// desktop (IServiceProvider with SID_STopLevelBrowser, IShellBrowser), its
// view (IShellView) and folder view (IFolderView2), and the items' ID lists
// (IEnumIDList). They answer on the desktop's own thread, as the shell's do.
#pragma once

#include <memory>

namespace icotrace::demo {

class WindowsShell;

class ShellObjects {
 public:
  // Registers the window list's class for other processes; null when COM
  // refused.
  static std::unique_ptr<ShellObjects> Register(WindowsShell& shell);
  // Revokes the class and cuts every client off.
  virtual ~ShellObjects() = default;
};

}  // namespace icotrace::demo
