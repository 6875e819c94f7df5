// The owners of platform/win on a real system: an owner closes its handle
// once, whoever holds it after a move, and never changes the last error.
#include <windows.h>

#include "e2e_test.h"
#include "platform/win/handles.h"

namespace icotrace::e2e {
namespace {

bool IsOpen(HANDLE handle) {
  DWORD flags = 0;
  return ::GetHandleInformation(handle, &flags) != FALSE;
}

}  // namespace

TEST(HandleOwners, CloseOnceAndKeepTheLastError) {
  const HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(event, nullptr);
  UniqueKernelHandle first(event);
  UniqueKernelHandle second(std::move(first));
  EXPECT_TRUE(!first);
  EXPECT_TRUE(second.Get() == event);
  EXPECT_TRUE(IsOpen(event));
  second.Reset();
  EXPECT_TRUE(!IsOpen(event));
  // A close that fails sets an error of its own (a hook that is none here):
  // the owner gives back the error of the call that failed just before it.
  const auto stale = reinterpret_cast<HHOOK>(static_cast<UINT_PTR>(0x1234));
  ::SetLastError(ERROR_SHARING_VIOLATION);
  EXPECT_TRUE(!::UnhookWindowsHookEx(stale) && ::GetLastError() != ERROR_SHARING_VIOLATION);
  ::SetLastError(ERROR_SHARING_VIOLATION);
  UniqueHook(stale).Reset();
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  // What a failed open gives is no handle, whichever way the call says it.
  EXPECT_TRUE(!UniqueKernelHandle(nullptr));
  EXPECT_TRUE(!UniqueKernelHandle(INVALID_HANDLE_VALUE));
  WIN32_FIND_DATAW found{};
  EXPECT_TRUE(!UniqueFind(::FindFirstFileW(L"Z:\\no such folder\\*", &found)));
  EXPECT_TRUE(static_cast<bool>(WindowDc(nullptr)));
}

}  // namespace icotrace::e2e
