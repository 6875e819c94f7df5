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

// The folder view of the desktop that shows listView, or why there is none
// to use: the shell may register no desktop, or one that is not the one the
// list view belongs to.
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

// Whether a failed call left the shell unheard (cancelled, turned away as
// busy, cut off, its server not started) rather than answered that it has
// no such view to offer.
FolderViewReach ReachAfter(HRESULT failure) {
  const bool rpc = HRESULT_FACILITY(failure) == FACILITY_RPC ||
                   (HRESULT_FACILITY(failure) == FACILITY_WIN32 && HRESULT_CODE(failure) >= 1700 &&
                    HRESULT_CODE(failure) < 2000);  // the RPC_S_ errors
  return rpc || failure == CO_E_SERVER_EXEC_FAILURE ? FolderViewReach::Unreachable
                                                    : FolderViewReach::NotThisDesktop;
}

FolderViewReach FindDesktopFolderView(HWND listView, ULONGLONG deadline,
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
  // S_FALSE: no desktop window is registered.
  if (result != S_OK || !dispatch) return FolderViewReach::NotThisDesktop;
  // Wine registers a desktop whose browser offers no shell view: it answers,
  // and manages no places behind any list view.
  ComPtr<IServiceProvider> services;
  ComPtr<IShellBrowser> browser;
  ComPtr<IShellView> view;
  HWND viewWindow = nullptr;
  if (FAILED(result = dispatch.As(&services)) ||
      FAILED(result = services->QueryService(SID_STopLevelBrowser,
                                             IID_PPV_ARGS(browser.GetAddressOf()))) ||
      FAILED(result = browser->QueryActiveShellView(view.GetAddressOf())) ||
      FAILED(result = view->GetWindow(&viewWindow))) {
    return ReachAfter(result);
  }
  if (viewWindow == nullptr || ::GetParent(listView) != viewWindow) {
    return FolderViewReach::NotThisDesktop;
  }
  // A shell view without IFolderView keeps no places of its own.
  if (FAILED(view.As(&folderView))) return FolderViewReach::NotThisDesktop;
  return FolderViewReach::Opened;
}

}  // namespace

struct Win32DesktopFolderView::Session {
  explicit Session(ULONGLONG deadline) : deadline(deadline) {}
  ComApartment apartment;  // outlives every interface below
  // Over every call to the shell, the releases of the interfaces included.
  ComCallDeadline deadline;
  ComPtr<IFolderView> view;
  std::vector<UniqueItemId> items;
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
  const FolderViewReach reach = FindDesktopFolderView(
      reinterpret_cast<HWND>(static_cast<UINT_PTR>(listView)), deadline, session->view);
  if (reach == FolderViewReach::NotThisDesktop) m_foreignListView = listView;
  if (reach != FolderViewReach::Opened) return reach;
  ComPtr<IEnumIDList> ids;
  if (const HRESULT listed =
          session->view->Items(kItemsInViewOrder, IID_PPV_ARGS(ids.GetAddressOf()));
      FAILED(listed)) {
    return ReachAfter(listed);
  }
  for (;;) {
    PITEMID_CHILD chunk[kItemsPerFetch] = {};
    ULONG fetched = 0;
    const HRESULT next = ids->Next(kItemsPerFetch, chunk, &fetched);
    if (FAILED(next)) return ReachAfter(next);
    for (ULONG i = 0; i < fetched && i < kItemsPerFetch; ++i) session->items.emplace_back(chunk[i]);
    if (next != S_OK || fetched == 0) break;
  }
  if (session->deadline.Left() == 0) return FolderViewReach::Unreachable;
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

bool Win32DesktopFolderView::PositionItems(const std::vector<ItemPlacement>& placements) {
  if (!m_session || !m_session->view || placements.empty() || m_session->deadline.Left() == 0) {
    return false;
  }
  std::vector<PCUITEMID_CHILD> ids;
  std::vector<POINT> points;
  for (const ItemPlacement& placement : placements) {
    if (placement.item >= m_session->items.size()) return false;
    ids.push_back(m_session->items[placement.item].get());
    points.push_back({placement.x, placement.y});
  }
  const HRESULT placed = m_session->view->SelectAndPositionItems(
      static_cast<UINT>(ids.size()), ids.data(), points.data(), SVSI_POSITIONITEM);
  if (SUCCEEDED(placed)) return true;
  // Cancelled, turned away or cut off: no further call of this session.
  m_session->view.Reset();
  return false;
}

void Win32DesktopFolderView::Close() {
  m_session.reset();
}

}  // namespace icotrace
