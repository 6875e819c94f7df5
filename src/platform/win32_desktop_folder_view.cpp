#include "platform/win32_desktop_folder_view.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "platform/com_call_deadline.h"
#include "platform/win/handles.h"
#include "platform/win32_desktop_view_lookup.h"
#include "platform/win32_item_label.h"
#include "platform/win32_shell_call_thread.h"

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

// What the shell thread holds for the session: made, used and released on
// that thread only, and kept by every call queued there, so that a call the
// window's thread gave up on still finds it.
struct Win32DesktopFolderView::Shell {
  std::optional<ComCallDeadline> deadline;  // the shell thread's own message filter
  ComPtr<IShellView> shellView;
  ComPtr<IFolderView> view;
  ComPtr<IFolderView2> view2;  // absent before Windows Vista's shell
  std::vector<UniqueItemId> items;

  void Release() {
    view2.Reset();
    view.Reset();
    shellView.Reset();
    deadline.reset();
  }
};

struct Win32DesktopFolderView::Session {
  explicit Session(ULONGLONG end) : end(end) {}
  ULONGLONG end;
  std::shared_ptr<Shell> shell = std::make_shared<Shell>();
  bool opened = false;
  // A call failed or was given up on: no further placing or reading call.
  bool over = false;
  // A call was given up on: the shell thread is still in it.
  bool abandoned = false;
  ShellCallThread thread;  // let go first, its queue then drains alone

  // Runs call on the shell thread for the session's time (until, for the
  // wrap-up). Once one was given up on, none is waited for again: the rest
  // only queue behind it.
  bool Call(std::function<void(Shell&)> call, ULONGLONG until) {
    if (abandoned) return false;
    std::shared_ptr<Shell> kept = shell;
    if (thread.Run(
            [kept, call = std::move(call), until] {
              if (kept->deadline) kept->deadline->MoveTo(until);
              call(*kept);
            },
            until)) {
      return true;
    }
    abandoned = over = true;
    return false;
  }
  // A placing or reading call, while the session lasts.
  bool MayCall() const { return opened && !over && ::GetTickCount64() < end; }
  // What puts things back runs even after the placing spent the budget, and
  // behind a call given up on, once that returns.
  bool WrapUp(std::function<void(Shell&)> call) {
    if (!abandoned) return Call(std::move(call), end + kFolderViewWrapUpMs);
    std::shared_ptr<Shell> kept = shell;
    thread.Post([kept, call = std::move(call)] {
      if (kept->deadline) kept->deadline->MoveTo(::GetTickCount64() + kFolderViewWrapUpMs);
      call(*kept);
    });
    return false;
  }
  ~Session() {
    std::shared_ptr<Shell> kept = std::move(shell);
    thread.Post([kept] { kept->Release(); });
  }
};

Win32DesktopFolderView::Win32DesktopFolderView() = default;

Win32DesktopFolderView::~Win32DesktopFolderView() {
  Close();
}

// In the order the view shows them, so that the k-th entry of a caption goes
// to the k-th item bearing it, as through the list view.
constexpr UINT kItemsInViewOrder =
    static_cast<UINT>(SVGIO_ALLVIEW) | static_cast<UINT>(SVGIO_FLAG_VIEWORDER);

namespace {

// Finds the view and copies its items' IDs, on the shell thread.
FolderViewReach OpenOnShellThread(HWND listView, ULONGLONG deadline,
                                  Win32DesktopFolderView::Shell& shell) {
  shell.deadline.emplace(deadline);
  const FolderViewReach reach =
      FindDesktopFolderView(listView, deadline, shell.shellView, shell.view);
  if (reach != FolderViewReach::Opened) return reach;
  shell.view.As(&shell.view2);
  ComPtr<IEnumIDList> ids;
  if (const HRESULT listed = shell.view->Items(kItemsInViewOrder, IID_PPV_ARGS(ids.GetAddressOf()));
      FAILED(listed)) {
    return ReachAfter(listed);
  }
  for (;;) {
    PITEMID_CHILD chunk[kItemsPerFetch] = {};
    ULONG fetched = 0;
    const HRESULT next = ids->Next(kItemsPerFetch, chunk, &fetched);
    if (FAILED(next)) return ReachAfter(next);
    for (ULONG i = 0; i < fetched && i < kItemsPerFetch; ++i) shell.items.emplace_back(chunk[i]);
    if (next != S_OK || fetched == 0) break;
  }
  return shell.deadline->Left() == 0 ? FolderViewReach::Unreachable : FolderViewReach::Opened;
}

}  // namespace

FolderViewReach Win32DesktopFolderView::Open(WindowHandle listView, std::uint64_t deadline) {
  Close();
  if (listView == m_foreignListView) return FolderViewReach::NotThisDesktop;
  auto session = std::make_unique<Session>(deadline);
  auto reach = std::make_shared<FolderViewReach>(FolderViewReach::Unreachable);
  const HWND list = reinterpret_cast<HWND>(static_cast<UINT_PTR>(listView));
  if (!session->Call([reach, list, deadline](
                         Shell& shell) { *reach = OpenOnShellThread(list, deadline, shell); },
                     deadline)) {
    return FolderViewReach::Unreachable;
  }
  // Only a view confirmed to be another desktop's is not asked again.
  if (*reach == FolderViewReach::NotThisDesktop) m_foreignListView = listView;
  if (*reach != FolderViewReach::Opened) return *reach;
  session->opened = true;
  m_session = std::move(session);
  return FolderViewReach::Opened;
}

std::vector<std::u16string> Win32DesktopFolderView::ItemNames() {
  std::vector<std::u16string> names;
  // The desktop folder of this very process names the IDs copied from the
  // view: no call per item reaches the shell. The shell thread is idle
  // between calls, and the IDs are plain memory.
  ComPtr<IShellFolder> desktop;
  if (!m_session || FAILED(::SHGetDesktopFolder(desktop.GetAddressOf()))) return names;
  names.reserve(m_session->shell->items.size());
  for (const UniqueItemId& id : m_session->shell->items)
    names.push_back(ItemLabel(*desktop.Get(), id.get()));
  return names;
}

PlacingOutcome Win32DesktopFolderView::PositionItems(const std::vector<ItemPlacement>& placements) {
  if (!m_session || !m_session->MayCall() || placements.empty()) return PlacingOutcome::Unsent;
  std::vector<std::size_t> items;
  std::vector<POINT> points;
  for (const ItemPlacement& placement : placements) {
    if (placement.item >= m_session->shell->items.size()) return PlacingOutcome::Refused;
    items.push_back(placement.item);
    // The view's own coordinates, as the list view gave them: no
    // SVSI_TRANSLATEPT, no origin added or taken away.
    points.push_back({placement.x, placement.y});
  }
  auto placed = std::make_shared<HRESULT>(E_PENDING);
  const bool answered = m_session->Call(
      [placed, items = std::move(items), points = std::move(points)](Shell& shell) mutable {
        std::vector<PCUITEMID_CHILD> ids;
        for (const std::size_t item : items) ids.push_back(shell.items[item].get());
        // SVSI_DESELECT is 0: the placed items end unselected, the others
        // keep their selection, and the focus stays where the user left it.
        constexpr UINT kFlags =
            static_cast<UINT>(SVSI_POSITIONITEM) | static_cast<UINT>(SVSI_NOTAKEFOCUS);
        *placed = shell.view->SelectAndPositionItems(static_cast<UINT>(ids.size()), ids.data(),
                                                     points.data(), kFlags);
      },
      m_session->end);
  // Given up on while the shell had it: it may still run there.
  if (!answered) return PlacingOutcome::MayStillRun;
  if (SUCCEEDED(*placed)) return PlacingOutcome::Placed;
  m_session->over = true;
  return OutcomeOf(*placed);
}

std::vector<ItemPlacement> Win32DesktopFolderView::ItemPositions(
    const std::vector<std::size_t>& items) {
  auto places = std::make_shared<std::vector<ItemPlacement>>();
  auto failed = std::make_shared<bool>(false);
  if (!m_session || !m_session->MayCall()) return {};
  const ULONGLONG end = m_session->end;
  const bool answered = m_session->Call(
      [places, failed, items, end](Shell& shell) {
        for (const std::size_t item : items) {
          if (item >= shell.items.size() || ::GetTickCount64() >= end) break;
          POINT at{};
          if (FAILED(shell.view->GetItemPosition(shell.items[item].get(), &at))) {
            *failed = true;
            break;
          }
          places->push_back({item, at.x, at.y});
        }
      },
      end);
  if (!answered) return {};
  if (*failed) m_session->over = true;
  return *places;
}

std::optional<std::uint32_t> Win32DesktopFolderView::GetCurrentFolderFlags() {
  if (!m_session || !m_session->MayCall() || !m_session->shell->view2) return std::nullopt;
  auto flags = std::make_shared<std::optional<std::uint32_t>>();
  if (!m_session->Call(
          [flags](Shell& shell) {
            DWORD read = 0;
            if (SUCCEEDED(shell.view2->GetCurrentFolderFlags(&read))) *flags = read;
          },
          m_session->end)) {
    return std::nullopt;
  }
  return *flags;
}

bool Win32DesktopFolderView::SetCurrentFolderFlags(std::uint32_t mask, std::uint32_t flags) {
  if (!m_session || !m_session->shell->view2) return false;
  auto done = std::make_shared<bool>(false);
  return m_session->WrapUp([done, mask, flags](Shell& shell) {
    *done = SUCCEEDED(shell.view2->SetCurrentFolderFlags(mask, flags));
  }) && *done;
}

bool Win32DesktopFolderView::SaveViewState() {
  if (!m_session || !m_session->shell->shellView) return false;
  auto done = std::make_shared<bool>(false);
  return m_session->WrapUp([done](Shell& shell) {
    *done = SUCCEEDED(shell.shellView->SaveViewState());
  }) && *done;
}

void Win32DesktopFolderView::Close() {
  m_session.reset();
}

}  // namespace icotrace
