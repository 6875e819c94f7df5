#include "desktop/mod_common.h"

#include <algorithm>
#include <unordered_map>

#include "desktop/caption_match.h"
#include "desktop/command_error.h"
#include "desktop/desktop_messages.h"
#include "desktop/item_operations.h"
#include "desktop/list_view_protocol.h"
#include "desktop/mod_icons_9x.h"
#include "desktop/mod_icons_nt.h"

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
      m_owner.CloseExchangeArea();
      throw CommandError(messages::kExchangeAreaFailed);
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

void modCommon::LocateDesktopListView() {
  m_state.hDesktopListView = FindDesktopListView();
  if (m_state.hDesktopListView == 0) throw CommandError(messages::kDesktopNotFound);
}

std::int32_t modCommon::ReadDesktopLayout(Layout& layout) {
  LocateDesktopListView();
  const auto count =
      static_cast<std::int32_t>(SendToListView(m_api, m_state, lv::kGetItemCount, 0, 0));
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

void modCommon::ApplyDesktopLayout(const Layout& layout) {
  LocateDesktopListView();
  OpenedArea area(*this);
  // The k-th entry of a caption moves the k-th item of that caption: each
  // search for a caption already placed starts after the item placed last.
  std::unordered_map<std::u16string, std::int32_t> lastPlaced;
  for (const DesktopIcon& entry : layout) {
    if (entry.Name.empty()) continue;
    const std::u16string key = CaptionKey(entry.Name);
    const auto placed = lastPlaced.find(key);
    const std::int32_t startAfter = placed == lastPlaced.end() ? -1 : placed->second;
    const std::int32_t moved = MoveDesktopIcon(entry.Name, {entry.X, entry.Y}, startAfter);
    if (moved >= 0) lastPlaced[key] = moved;
  }
  m_api.RedrawWindow(0, win::kRdwErase);
  m_api.UpdateWindow(m_state.hDesktopListView);
}

}  // namespace icotrace
