#include <windows.h>

namespace icotrace::imagelist {
extern HMODULE g_module;
void ReleaseMachinery();
}  // namespace icotrace::imagelist

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  // Thread notices stay on: the runtime is linked in statically, and it
  // needs them to set up and free each thread's own data.
  if (reason == DLL_PROCESS_ATTACH) {
    icotrace::imagelist::g_module = instance;
  } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    // Unloaded while the process goes on: leave no hook pointing at us.
    icotrace::imagelist::ReleaseMachinery();
  }
  return TRUE;
}
