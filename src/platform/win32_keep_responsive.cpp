#include "platform/win32_keep_responsive.h"

#include <windows.h>

namespace icotrace {

void KeepResponsive() {
  constexpr ULONGLONG kEveryMs = 250;
  static ULONGLONG lastLook = 0;
  const ULONGLONG now = ::GetTickCount64();
  if (now - lastLook < kEveryMs) return;
  lastLook = now;
  // Input stays queued for the window after the command; only messages sent
  // by other threads are answered here, as during any SendMessage of ours.
  MSG message;
  ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_NOYIELD);
}

}  // namespace icotrace
