// What runs inside the shell's process: the hook that answers an icon
// request. It must never crash or stall the shell.
#pragma once

#include <windows.h>

namespace icotrace::imagelist {

// The registered message that carries a request to the list view's thread.
UINT IconRequestMessage();

LRESULT CALLBACK CallWndProcHook(int code, WPARAM wParam, LPARAM lParam);

}  // namespace icotrace::imagelist
