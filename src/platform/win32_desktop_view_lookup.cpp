#include "platform/win32_desktop_view_lookup.h"

#include <exdisp.h>
#include <shlguid.h>
#include <shlobj.h>

#include <algorithm>
#include <memory>
#include <thread>
#include <utility>

#include "platform/win32_keep_responsive.h"

namespace icotrace {
namespace {

// What the helper thread of CreateShellWindows hands back; shared, so that a
// helper whose answer comes too late still has it to write into.
struct CreatedShellWindows {
  UniqueKernelHandle done{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  HRESULT result = E_PENDING;
  IStream* marshalled = nullptr;  // the list, marshalled for the waiting thread
};

// The shell's list of windows. Its activation goes through the system's
// service to the shell, and no message filter limits that wait: it runs on a
// helper thread, which this thread waits for until the deadline only. A
// helper that answers later is left to end by itself.
HRESULT CreateShellWindows(ULONGLONG deadline, ComPtr<IShellWindows>& windows) {
  auto shared = std::make_shared<CreatedShellWindows>();
  if (!shared->done) return E_OUTOFMEMORY;
  std::thread([shared] {
    if (SUCCEEDED(shared->result = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {
      ComPtr<IShellWindows> created;
      shared->result = ::CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_ALL,
                                          IID_PPV_ARGS(created.GetAddressOf()));
      if (SUCCEEDED(shared->result)) {
        shared->result = ::CoMarshalInterThreadInterfaceInStream(
            __uuidof(IShellWindows), created.Get(), &shared->marshalled);
      }
      created.Reset();
      ::CoUninitialize();
    }
    ::SetEvent(shared->done.Get());
  }).detach();
  for (;;) {
    KeepResponsive();
    const ULONGLONG now = ::GetTickCount64();
    const DWORD wait =
        now >= deadline ? 0 : static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 100));
    if (::WaitForSingleObject(shared->done.Get(), wait) == WAIT_OBJECT_0) break;
    if (wait == 0) return RPC_E_TIMEOUT;
  }
  if (FAILED(shared->result)) return shared->result;
  return ::CoGetInterfaceAndReleaseStream(std::exchange(shared->marshalled, nullptr),
                                          IID_PPV_ARGS(windows.GetAddressOf()));
}

DWORD ProcessOf(HWND window) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  return process;
}

}  // namespace

bool IsRpcFailure(HRESULT failure) {
  return HRESULT_FACILITY(failure) == FACILITY_RPC ||
         (HRESULT_FACILITY(failure) == FACILITY_WIN32 && HRESULT_CODE(failure) >= 1700 &&
          HRESULT_CODE(failure) < 2000);  // the RPC_S_ errors
}

FolderViewReach ReachAfter(HRESULT failure) {
  return IsRpcFailure(failure) || failure == CO_E_SERVER_EXEC_FAILURE ? FolderViewReach::Unreachable
                                                                      : FolderViewReach::NoView;
}

FolderViewReach FindDesktopFolderView(HWND listView, ULONGLONG deadline, ComPtr<IShellView>& view,
                                      ComPtr<IFolderView>& folderView) {
  ComPtr<IShellWindows> windows;
  // A class not registered (a replacement shell) offers no desktop view.
  HRESULT result = CreateShellWindows(deadline, windows);
  if (FAILED(result)) return ReachAfter(result);
  VARIANT desktop;
  ::VariantInit(&desktop);
  desktop.vt = VT_I4;
  desktop.lVal = CSIDL_DESKTOP;
  VARIANT none;
  ::VariantInit(&none);
  long window = 0;
  ComPtr<IDispatch> dispatch;
  result = windows->FindWindowSW(&desktop, &none, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                                 dispatch.GetAddressOf());
  if (FAILED(result)) return ReachAfter(result);
  // S_FALSE: no desktop window is registered, or not yet.
  if (result != S_OK || !dispatch) return FolderViewReach::NoView;
  // A desktop registered by another process than our list view's (Wine's
  // own beside the one we drive) is another desktop. Progman, a WorkerW and
  // the view all belong to the one shell process.
  const HWND registered = reinterpret_cast<HWND>(static_cast<LONG_PTR>(window));
  const DWORD ourShell = ProcessOf(listView);
  if (registered != nullptr && ourShell != 0 && ProcessOf(registered) != 0 &&
      ProcessOf(registered) != ourShell) {
    return FolderViewReach::NotThisDesktop;
  }
  ComPtr<IServiceProvider> services;
  ComPtr<IShellBrowser> browser;
  HWND viewWindow = nullptr;
  if (FAILED(result = dispatch.As(&services)) ||
      FAILED(result = services->QueryService(SID_STopLevelBrowser,
                                             IID_PPV_ARGS(browser.GetAddressOf()))) ||
      FAILED(result = browser->QueryActiveShellView(view.GetAddressOf())) ||
      FAILED(result = view->GetWindow(&viewWindow))) {
    return ReachAfter(result);
  }
  if (viewWindow == nullptr) return FolderViewReach::NoView;
  if (::GetParent(listView) != viewWindow) return FolderViewReach::NotThisDesktop;
  // A shell view without IFolderView keeps no places of its own.
  if (FAILED(view.As(&folderView))) return FolderViewReach::NoView;
  return FolderViewReach::Opened;
}

}  // namespace icotrace
