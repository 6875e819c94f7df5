// The owners of platform/win on a real system: an owner closes its handle
// once, whoever holds it after a move, and never changes the last error.
#include <windows.h>

#include "e2e_check.h"
#include "platform/win/handles.h"
#include "platform_e2e.h"

namespace icotrace::e2e {
namespace {

bool IsOpen(HANDLE handle) {
  DWORD flags = 0;
  return ::GetHandleInformation(handle, &flags) != FALSE;
}

}  // namespace

void OwnersCloseOnceAndKeepTheLastError() {
  const HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!E2E_CHECK(event != nullptr)) return;
  UniqueKernelHandle first(event);
  UniqueKernelHandle second(std::move(first));
  E2E_CHECK(!first);
  E2E_CHECK(second.Get() == event);
  E2E_CHECK(IsOpen(event));
  second.Reset();
  E2E_CHECK(!IsOpen(event));
  // A close that fails sets an error of its own (a hook that is none here):
  // the owner gives back the error of the call that failed just before it.
  const auto stale = reinterpret_cast<HHOOK>(static_cast<UINT_PTR>(0x1234));
  ::SetLastError(ERROR_SHARING_VIOLATION);
  E2E_CHECK(!::UnhookWindowsHookEx(stale) && ::GetLastError() != ERROR_SHARING_VIOLATION);
  ::SetLastError(ERROR_SHARING_VIOLATION);
  UniqueHook(stale).Reset();
  E2E_CHECK_EQ(::GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  // What a failed open gives is no handle, whichever way the call says it.
  E2E_CHECK(!UniqueKernelHandle(nullptr));
  E2E_CHECK(!UniqueKernelHandle(INVALID_HANDLE_VALUE));
  WIN32_FIND_DATAW found{};
  E2E_CHECK(!UniqueFind(::FindFirstFileW(L"Z:\\no such folder\\*", &found)));
  E2E_CHECK(static_cast<bool>(WindowDc(nullptr)));
}

}  // namespace icotrace::e2e
