#include "platform/win32_shell_launcher.h"

#include <objbase.h>
#include <shellapi.h>

#include <atomic>
#include <memory>

#include "platform/win/handles.h"

namespace icotrace {
namespace {

static_assert(kShowNormal == SW_SHOWNORMAL);

// The shell may take its time over a launch (a program that hangs in its
// DDE conversation, an extension that blocks): the call runs on a thread of
// its own, and the window waits for it this long at most, as for any other
// call into the shell.
constexpr DWORD kLaunchWaitMs = 5000;

// wchar_t is UTF-16 on Windows.
const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

const wchar_t* WideOrNull(const std::optional<std::u16string>& text) {
  return text ? Wide(*text) : nullptr;
}

// Shared by the window and the launching thread, which may outlive the wait.
struct Launch {
  ShellRequest Request;
  HWND Owner = nullptr;
  std::atomic<bool> Started{false};
};

DWORD WINAPI LaunchThread(void* parameter) {
  const std::unique_ptr<std::shared_ptr<Launch>> held(
      static_cast<std::shared_ptr<Launch>*>(parameter));
  Launch& launch = **held;
  // Shell extensions are COM objects; the thread ends with the call, so the
  // call must finish its work before it returns.
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOASYNC | (launch.Request.NoErrorBox ? SEE_MASK_FLAG_NO_UI : 0);
  info.hwnd = launch.Owner;
  info.lpVerb = Wide(launch.Request.Verb);
  info.lpFile = Wide(launch.Request.File);
  info.lpParameters = WideOrNull(launch.Request.Parameters);
  info.lpDirectory = WideOrNull(launch.Request.Directory);
  info.nShow = launch.Request.Show;
  launch.Started = ::ShellExecuteExW(&info) != FALSE;
  if (SUCCEEDED(com)) ::CoUninitialize();
  return 0;
}

// Waits for the thread, answering the messages sent to the window meanwhile
// (a box of the shell's that the window owns needs them); false at the limit.
bool WaitAnswering(HANDLE thread, DWORD limitMs) {
  const ULONGLONG end = ::GetTickCount64() + limitMs;
  for (ULONGLONG now = ::GetTickCount64(); now < end; now = ::GetTickCount64()) {
    const DWORD got = ::MsgWaitForMultipleObjects(1, &thread, FALSE, static_cast<DWORD>(end - now),
                                                  QS_SENDMESSAGE);
    if (got == WAIT_OBJECT_0) return true;
    if (got != WAIT_OBJECT_0 + 1) return false;
    MSG message;
    ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  return false;
}

}  // namespace

bool Win32ShellLauncher::ShellExecuteExW(const ShellRequest& request) {
  auto launch = std::make_shared<Launch>();
  launch->Request = request;
  launch->Owner = m_owner;
  auto parameter = std::make_unique<std::shared_ptr<Launch>>(launch);
  const UniqueKernelHandle thread(
      ::CreateThread(nullptr, 0, &LaunchThread, parameter.get(), 0, nullptr));
  if (!thread) return false;
  parameter.release();  // the thread's now
  // A launch still under way at the limit goes on by itself.
  return WaitAnswering(thread.Get(), kLaunchWaitMs) && launch->Started;
}

}  // namespace icotrace
