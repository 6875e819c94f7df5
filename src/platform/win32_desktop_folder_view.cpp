#include "platform/win32_desktop_folder_view.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <memory>
#include <utility>

#include "platform/com_call_deadline.h"
#include "platform/win/handles.h"
#include "platform/win32_desktop_view_lookup.h"
#include "platform/win32_item_label.h"

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
