#include "platform/win32_desktop_folder_view.h"

#include <windows.h>
#include <exdisp.h>
#include <shlguid.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <algorithm>
#include <memory>
#include <thread>
#include <utility>

#include "platform/com_call_deadline.h"
#include "platform/win/handles.h"
#include "platform/win32_item_label.h"
#include "platform/win32_keep_responsive.h"

namespace icotrace {

using Microsoft::WRL::ComPtr;

namespace {

// Item IDs asked of the view at a time: one round trip per chunk, not per
// item.
constexpr ULONG kItemsPerFetch = 256;

// An item identifier list that the shell allocated for us.
struct ItemIdDeleter {
  void operator()(ITEMID_CHILD* id) const { ::CoTaskMemFree(id); }
};
using UniqueItemId = std::unique_ptr<ITEMID_CHILD, ItemIdDeleter>;

// COM for the calling thread, apartment-threaded as the window's thread
// wants it; balanced only when this call started it.
class ComApartment {
 public:
  ComApartment() : m_started(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (m_started) ::CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool m_started;
};

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

bool IsRpcFailure(HRESULT failure) {
  return HRESULT_FACILITY(failure) == FACILITY_RPC ||
         (HRESULT_FACILITY(failure) == FACILITY_WIN32 && HRESULT_CODE(failure) >= 1700 &&
          HRESULT_CODE(failure) < 2000);  // the RPC_S_ errors
}

// Whether a failed call left the shell unheard (cancelled, turned away as
// busy, cut off, its server not started) rather than answered that it has
// no such view to offer: that answer is asked again at the next apply.
FolderViewReach ReachAfter(HRESULT failure) {
  return IsRpcFailure(failure) || failure == CO_E_SERVER_EXEC_FAILURE ? FolderViewReach::Unreachable
                                                                      : FolderViewReach::NoView;
}

DWORD ProcessOf(HWND window) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  return process;
}

// The folder view of the desktop that shows listView, or why there is none
// to use: the shell may register no desktop, or one that is not the one the
// list view belongs to.
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

// What became of a placing call that failed. A call cancelled or cut off
// while the shell had it may still run there; one turned away as busy, or
// never delivered, did not.
PlacingOutcome OutcomeOf(HRESULT failure) {
  if (failure == RPC_E_CALL_CANCELED || failure == RPC_E_DISCONNECTED ||
      failure == RPC_E_SERVERFAULT || failure == HRESULT_FROM_WIN32(RPC_S_CALL_FAILED)) {
    return PlacingOutcome::MayStillRun;
  }
  return IsRpcFailure(failure) ? PlacingOutcome::Unsent : PlacingOutcome::Refused;
}

}  // namespace

struct Win32DesktopFolderView::Session {
  explicit Session(ULONGLONG end) : end(end), deadline(end) {}
  ComApartment apartment;  // outlives every interface below
  ULONGLONG end;
  // Over every call to the shell, the releases of the interfaces included.
  ComCallDeadline deadline;
  ComPtr<IShellView> shellView;
  ComPtr<IFolderView> view;
  ComPtr<IFolderView2> view2;  // absent before Windows Vista's shell
  std::vector<UniqueItemId> items;
  bool over = false;  // a call failed: no further placing or reading call

  // A placing or reading call has until the session's end only.
  bool MayCall() {
    deadline.MoveTo(end);
    return !over && view && deadline.Left() > 0;
  }
  // What was held is given back, and the places saved, even once the
  // placing spent the budget.
  void WrapUp() { deadline.MoveTo(end + kFolderViewWrapUpMs); }
};

Win32DesktopFolderView::Win32DesktopFolderView() = default;

Win32DesktopFolderView::~Win32DesktopFolderView() {
  Close();
}

// In the order the view shows them, so that the k-th entry of a caption goes
// to the k-th item bearing it, as through the list view.
constexpr UINT kItemsInViewOrder =
    static_cast<UINT>(SVGIO_ALLVIEW) | static_cast<UINT>(SVGIO_FLAG_VIEWORDER);

FolderViewReach Win32DesktopFolderView::Open(WindowHandle listView, std::uint64_t deadline) {
  Close();
  if (listView == m_foreignListView) return FolderViewReach::NotThisDesktop;
  auto session = std::make_unique<Session>(deadline);
  const FolderViewReach reach =
      FindDesktopFolderView(reinterpret_cast<HWND>(static_cast<UINT_PTR>(listView)), deadline,
                            session->shellView, session->view);
  // Only a view confirmed to be another desktop's is not asked again.
  if (reach == FolderViewReach::NotThisDesktop) m_foreignListView = listView;
  if (reach != FolderViewReach::Opened) {
    session->WrapUp();
    return reach;
  }
  session->view.As(&session->view2);
  ComPtr<IEnumIDList> ids;
  if (const HRESULT listed =
          session->view->Items(kItemsInViewOrder, IID_PPV_ARGS(ids.GetAddressOf()));
      FAILED(listed)) {
    session->WrapUp();
    return ReachAfter(listed);
  }
  for (;;) {
    PITEMID_CHILD chunk[kItemsPerFetch] = {};
    ULONG fetched = 0;
    const HRESULT next = ids->Next(kItemsPerFetch, chunk, &fetched);
    if (FAILED(next)) {
      session->WrapUp();
      return ReachAfter(next);
    }
    for (ULONG i = 0; i < fetched && i < kItemsPerFetch; ++i) session->items.emplace_back(chunk[i]);
    if (next != S_OK || fetched == 0) break;
  }
  if (session->deadline.Left() == 0) {
    session->WrapUp();
    return FolderViewReach::Unreachable;
  }
  m_session = std::move(session);
  return FolderViewReach::Opened;
}

std::vector<std::u16string> Win32DesktopFolderView::ItemNames() {
  std::vector<std::u16string> names;
  // The desktop folder of this very process names the IDs copied from the
  // view: no call per item reaches the shell.
  ComPtr<IShellFolder> desktop;
  if (!m_session || FAILED(::SHGetDesktopFolder(desktop.GetAddressOf()))) return names;
  names.reserve(m_session->items.size());
  for (const UniqueItemId& id : m_session->items)
    names.push_back(ItemLabel(*desktop.Get(), id.get()));
  return names;
}

PlacingOutcome Win32DesktopFolderView::PositionItems(const std::vector<ItemPlacement>& placements) {
  if (!m_session || !m_session->MayCall() || placements.empty()) return PlacingOutcome::Unsent;
  std::vector<PCUITEMID_CHILD> ids;
  std::vector<POINT> points;
  for (const ItemPlacement& placement : placements) {
    if (placement.item >= m_session->items.size()) return PlacingOutcome::Refused;
    ids.push_back(m_session->items[placement.item].get());
    // The view's own coordinates, as the list view gave them: no
    // SVSI_TRANSLATEPT, no origin added or taken away.
    points.push_back({placement.x, placement.y});
  }
  // SVSI_DESELECT is 0: the placed items end unselected, the others keep
  // their selection, and the focus stays where the user left it.
  constexpr UINT kFlags =
      static_cast<UINT>(SVSI_POSITIONITEM) | static_cast<UINT>(SVSI_NOTAKEFOCUS);
  const HRESULT placed = m_session->view->SelectAndPositionItems(static_cast<UINT>(ids.size()),
                                                                 ids.data(), points.data(), kFlags);
  if (SUCCEEDED(placed)) return PlacingOutcome::Placed;
  m_session->over = true;
  return OutcomeOf(placed);
}

std::vector<ItemPlacement> Win32DesktopFolderView::ItemPositions(
    const std::vector<std::size_t>& items) {
  std::vector<ItemPlacement> places;
  for (const std::size_t item : items) {
    if (!m_session || !m_session->MayCall() || item >= m_session->items.size()) break;
    POINT at{};
    if (FAILED(m_session->view->GetItemPosition(m_session->items[item].get(), &at))) {
      m_session->over = true;
      break;
    }
    places.push_back({item, at.x, at.y});
  }
  return places;
}

std::optional<std::uint32_t> Win32DesktopFolderView::GetCurrentFolderFlags() {
  DWORD flags = 0;
  if (!m_session || !m_session->MayCall() || !m_session->view2 ||
      FAILED(m_session->view2->GetCurrentFolderFlags(&flags))) {
    return std::nullopt;
  }
  return flags;
}

bool Win32DesktopFolderView::SetCurrentFolderFlags(std::uint32_t mask, std::uint32_t flags) {
  if (!m_session || !m_session->view2) return false;
  m_session->WrapUp();
  return SUCCEEDED(m_session->view2->SetCurrentFolderFlags(mask, flags));
}

bool Win32DesktopFolderView::SaveViewState() {
  if (!m_session || !m_session->shellView) return false;
  m_session->WrapUp();
  return SUCCEEDED(m_session->shellView->SaveViewState());
}

void Win32DesktopFolderView::Close() {
  if (m_session) m_session->WrapUp();
  m_session.reset();
}

}  // namespace icotrace
