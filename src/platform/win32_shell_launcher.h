// The real shell launcher: ShellExecuteExW on a thread of its own, waited for
// a few seconds at most, any box of the shell's owned by the window given.
#pragma once

#include <windows.h>

#include "platform/shell_launcher.h"

namespace icotrace {

class Win32ShellLauncher final : public ShellLauncher {
 public:
  explicit Win32ShellLauncher(HWND owner) : m_owner(owner) {}
  bool ShellExecuteExW(const ShellRequest& request) override;

 private:
  HWND m_owner;
};

}  // namespace icotrace
