#include <windows.h>

namespace icotrace::imagelist {
extern HMODULE g_module;
void ReleaseMachinery();
}  // namespace icotrace::imagelist

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    icotrace::imagelist::g_module = instance;
    ::DisableThreadLibraryCalls(instance);
  } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    // Unloaded while the process goes on: leave no hook pointing at us.
    icotrace::imagelist::ReleaseMachinery();
  }
  return TRUE;
}
