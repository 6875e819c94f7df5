#include "item_message_fault.h"

#include <commctrl.h>

#include "demo_protocol.h"

namespace icotrace::demo {

void ItemMessageFault::Observe(UINT message) {
  if (message != LVM_GETITEMW && message != LVM_FINDITEMW) return;
  if (!InSendMessage()) return;
  ++m_seen;
  if (m_exitAfter && m_seen > *m_exitAfter) ExitProcess(kExitShellGone);
  if (m_hangAfter && m_seen > *m_hangAfter) {
    // Hung, but not for ever: a demo desktop left behind ends by itself.
    constexpr DWORD kHangMs = 10 * 60 * 1000;
    Sleep(kHangMs);
    ExitProcess(kExitShellGone);
  }
}

}  // namespace icotrace::demo
