#include "desktop/mod_common.h"

#include <algorithm>

#include "core/command_error.h"
#include "desktop/caption_match.h"
#include "desktop/desktop_messages.h"
#include "desktop/folder_view_placer.h"
#include "desktop/item_matching.h"
#include "desktop/list_view_apply.h"
#include "desktop/list_view_protocol.h"
#include "desktop/mod_icons_9x.h"
#include "desktop/mod_icons_nt.h"
#include "desktop/visible_area.h"

namespace icotrace {
namespace {

bool IsListViewClass(const std::string& className) {
  constexpr std::string_view kListView = "syslistview32";
  const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
  return std::equal(className.begin(), className.end(), kListView.begin(), kListView.end(),
                    [&](char a, char b) { return lower(a) == b; });
}

}  // namespace

// Opens the exchange area for one operation and releases it on every way out.
class modCommon::OpenedArea {
 public:
  explicit OpenedArea(modCommon& owner) : m_owner(owner) {
    try {
      m_owner.OpenExchangeArea();
    } catch (...) {
      m_owner.CloseExchangeArea();
      throw;
    }
    if (!m_owner.m_state.RegionsReady()) {
      // Asked before the close's own calls overwrite it.
      const bool elevated = m_owner.m_state.hShellProcess == 0 &&
                            ShellIsElevated(m_owner.m_api, m_owner.m_state.hDesktopListView);
      m_owner.CloseExchangeArea();
      throw CommandError(elevated ? messages::kShellElevated : messages::kExchangeAreaFailed);
    }
  }
  ~OpenedArea() { m_owner.CloseExchangeArea(); }
  OpenedArea(const OpenedArea&) = delete;
  OpenedArea& operator=(const OpenedArea&) = delete;

 private:
  modCommon& m_owner;
};

WindowHandle modCommon::FindDesktopListView() {
  const WindowHandle progman = m_api.FindWindowA("Progman");
  if (progman == 0) return 0;
  // The designed chain: the first child of the first child of Progman.
  if (const WindowHandle view = m_api.FindWindowExA(progman, 0, nullptr); view != 0) {
    const WindowHandle list = m_api.FindWindowExA(view, 0, nullptr);
    if (list != 0 && IsListViewClass(m_api.GetClassNameA(list))) return list;
  }
  // Windows 10 and 11 may hang the view under a top-level WorkerW window
  // instead, or give Progman another first child.
  const auto listUnder = [&](WindowHandle parent) -> WindowHandle {
    const WindowHandle view = m_api.FindWindowExA(parent, 0, "SHELLDLL_DefView");
    return view == 0 ? 0 : m_api.FindWindowExA(view, 0, "SysListView32");
  };
  if (const WindowHandle list = listUnder(progman); list != 0) return list;
  for (WindowHandle worker = m_api.FindWindowExA(0, 0, "WorkerW"); worker != 0;
       worker = m_api.FindWindowExA(0, worker, "WorkerW")) {
    if (const WindowHandle list = listUnder(worker); list != 0) return list;
  }
  return 0;
}

bool modCommon::IsWindowsNT() {
  OsVersionInfoA info;
  info.dwOSVersionInfoSize = win::kOsVersionInfoASize;
  m_api.GetVersionExA(info);
  return info.dwPlatformId == win::kPlatformWin32Nt;
}

void modCommon::OpenExchangeArea() {
  if (IsWindowsNT()) {
    modIconsNT::OpenExchangeAreaNT(m_api, m_state);
  } else {
    modIcons9x::OpenExchangeArea9x(m_api, m_state);
  }
}

void modCommon::CloseExchangeArea() {
  if (IsWindowsNT()) {
    modIconsNT::CloseExchangeAreaNT(m_api, m_state);
  } else {
    modIcons9x::CloseExchangeArea9x(m_api, m_state);
  }
}

std::optional<DesktopIcon> modCommon::ReadDesktopIcon(std::int32_t index) {
  return IsWindowsNT() ? modIconsNT::ReadDesktopIconNT(m_api, m_state, index)
                       : modIcons9x::ReadDesktopIcon9x(m_api, m_state, index);
}

std::int32_t modCommon::MoveDesktopIcon(std::u16string_view name, PointRecord position,
                                        std::int32_t startAfter) {
  return IsWindowsNT() ? modIconsNT::MoveDesktopIconNT(m_api, m_state, name, position, startAfter)
                       : modIcons9x::MoveDesktopIcon9x(m_api, m_state, name, position, startAfter);
}

ShellExchange modCommon::Exchange() {
  return {m_api, m_state, IsWindowsNT() ? modIconsNT::FamilyNT() : modIcons9x::Family9x()};
}

void modCommon::LocateDesktopListView() {
  m_state.hDesktopListView = FindDesktopListView();
  if (m_state.hDesktopListView == 0) throw CommandError(messages::kDesktopNotFound);
}

std::int32_t modCommon::ReadDesktopLayout(Layout& layout) {
  LocateDesktopListView();
  const auto count = static_cast<std::int32_t>(Exchange().Send(lv::kGetItemCount, 0, 0));
  Layout snapshot;
  {
    OpenedArea area(*this);
    snapshot.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
    for (std::int32_t i = 0; i < count; ++i) {
      std::optional<DesktopIcon> icon = ReadDesktopIcon(i);
      if (!icon) continue;  // removed since the count: nothing to record
      icon->Name = CutAtNul(icon->Name);
      snapshot.push_back(std::move(*icon));
    }
  }
  layout = std::move(snapshot);
  return static_cast<std::int32_t>(layout.size());
}

bool modCommon::ShellSharesOurMachine() {
  const WindowHandle list = FindDesktopListView();
  if (list == 0 || !IsWindowsNT()) return true;
  std::uint32_t processId = 0;
  m_api.GetWindowThreadProcessId(list, &processId);
  const KernelHandle shell =
      m_api.OpenProcess(win::kProcessQueryLimitedInformation, false, processId);
  if (shell == 0) return true;
  const std::uint16_t theirs = m_api.ProcessMachine(shell);
  m_api.CloseHandle(shell);
  const std::uint16_t ours = m_api.ProcessMachine(m_api.GetCurrentProcess());
  return theirs == win::kMachineUnknown || ours == win::kMachineUnknown || theirs == ours;
}

bool modCommon::KeepsOwnPlaces() {
  OsVersionNumbers version;
  if (!IsWindowsNT() || !m_api.RtlGetVersion(version)) return false;
  if (version.dwMajorVersion != 10) return version.dwMajorVersion > 10;
  return version.dwMinorVersion > 0 || version.dwBuildNumber >= 17763;
}

namespace {

// The folder view is reached through COM, which waits on a hung shell
// without end: a message with a timeout proves the shell answers first.
// Releases the view on every way out.
class FolderViewSession {
 public:
  FolderViewSession(DesktopFolderView& view, WindowHandle listView, std::uint64_t deadline)
      : m_view(view), m_reach(view.Open(listView, deadline)) {}
  ~FolderViewSession() { m_view.Close(); }
  FolderViewSession(const FolderViewSession&) = delete;
  FolderViewSession& operator=(const FolderViewSession&) = delete;
  FolderViewReach Reach() const { return m_reach; }

 private:
  DesktopFolderView& m_view;
  FolderViewReach m_reach;
};

}  // namespace

std::vector<std::size_t> modCommon::PlaceEveryMatch(const Layout& layout) {
  const std::vector<std::optional<std::size_t>> matches =
      MatchEntriesToItems(m_api, layout, m_folderView->ItemNames());
  const VisibleArea screens = VisibleArea::Of(Exchange());
  std::vector<ItemPlacement> placements;
  std::vector<std::size_t> entries;
  for (std::size_t e = 0; e < layout.size(); ++e) {
    if (matches[e] && screens.Shows({layout[e].X, layout[e].Y})) {
      placements.push_back({*matches[e], layout[e].X, layout[e].Y});
      entries.push_back(e);
    }
  }
  // A call cancelled in the shell's hands may still run: the list view
  // leaves its entries alone, so that no two writers place one item.
  if (placements.empty() ||
      m_folderView->PositionItems(placements) != PlacingOutcome::MayStillRun) {
    entries.clear();
  }
  return entries;
}

ApplyReport modCommon::ApplyThroughFolderView(const Layout& layout) {
  if (m_folderView == nullptr || !IsWindowsNT()) return ApplyThroughListView(Exchange(), layout);
  // Chosen once: on a desktop that keeps its own places the folder view is
  // the one writer; elsewhere the list view's moves last after its batch.
  const bool keeps = KeepsOwnPlaces();
  Exchange().Send(lv::kGetItemCount, 0, 0);
  const std::uint64_t deadline = m_api.GetTickCount64() + kFolderViewBudgetMs;
  std::optional<FolderViewSession> session;
  session.emplace(*m_folderView, m_state.hDesktopListView, deadline);
  const auto listViewAlone = [&](ForgetCause cause) {
    session.reset();
    return ApplyThroughListView(Exchange(), layout,
                                {nullptr, keeps ? std::optional(cause) : std::nullopt, {}});
  };
  switch (session->Reach()) {
    case FolderViewReach::NotThisDesktop:  // nobody undoes the list view's moves
      session.reset();
      return ApplyThroughListView(Exchange(), layout);
    case FolderViewReach::NoView:
      return listViewAlone(ForgetCause::Declined);
    case FolderViewReach::Unreachable:
      return listViewAlone(ForgetCause::Unanswered);
    case FolderViewReach::Opened:
      break;
  }
  if (!keeps) {
    std::vector<std::size_t> pending = PlaceEveryMatch(layout);
    session.reset();
    // The list view then sees what the batch did, and moves what it left.
    return ApplyThroughListView(Exchange(), layout, {nullptr, std::nullopt, std::move(pending)});
  }
  FolderViewPlacer placer(m_api, *m_folderView, layout, deadline);
  return ApplyThroughListView(Exchange(), layout, {&placer, std::nullopt, {}});
}

ApplyReport modCommon::ApplyDesktopLayout(const Layout& layout) {
  LocateDesktopListView();
  OpenedArea area(*this);
  const ApplyReport report = ApplyThroughFolderView(layout);
  // Invalidations ask nothing back: the shell repaints when its thread gets
  // to it, and a shell that hangs in its repaint holds nobody.
  m_api.RedrawWindow(0, win::kRdwErase);
  m_api.RedrawWindow(m_state.hDesktopListView, win::kRdwInvalidate | win::kRdwErase);
  return report;
}

}  // namespace icotrace
