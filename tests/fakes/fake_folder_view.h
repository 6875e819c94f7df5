// The desktop's folder view over a simulated shell: it names the shell's
// items and places them in the desktop's own model as the real one does, with
// switches for a shell that offers no folder view for this desktop, cannot be
// reached, refuses or loses a call (which lands later), takes its time, shows
// places late or leaves items behind. Its calls run on the shell's clock and
// give up at the session's deadline, as the real ones do under the message
// filter. Its grid and arranging are the list view's, kept in step.
#pragma once

#include <algorithm>
#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "desktop/list_view_protocol.h"
#include "platform/desktop_folder_view.h"
#include "simulated_shell.h"

namespace icotrace::testing {

class FakeFolderView final : public DesktopFolderView {
 public:
  explicit FakeFolderView(SimulatedShell& shell) : m_shell(&shell) {}

  FolderViewReach reach = FolderViewReach::Opened;
  int noViewOpens = 0;                     // the first opens find no view (a shell starting)
  int positionFailsAt = -1;                // this call (from 0) of PositionItems is refused
  int positionCancelledAt = -1;            // this one is cancelled, and lands later all the same
  std::uint64_t callMs = 0;                // how long each call takes in the shell
  std::uint64_t shownAfterMs = 0;          // how late the list view shows a place
  bool modelUnreadable = false;            // GetItemPosition fails
  std::set<std::size_t> itemsLeftInPlace;  // the shell "accepts" them but they do not move
  std::set<std::size_t> itemsPlacedOff;    // they land 3 pixels to the right
  static constexpr std::uint64_t kCancelledLandsAfterMs = 2000;

  int opens = 0;
  WindowHandle openedFor = 0;  // the list view the last Open was asked for
  int closes = 0;
  int positionCalls = 0;
  std::vector<ItemPlacement> lastPlacements;
  std::uint64_t lastCallEnd = 0;  // the shell's tick when the last call returned

  FolderViewReach Open(WindowHandle listView, std::uint64_t deadline) override {
    ++opens;
    m_shell->Note("FolderView.Open");
    openedFor = listView;
    m_deadline = deadline;
    if (!TakesItsTime()) return FolderViewReach::Unreachable;
    return opens <= noViewOpens ? FolderViewReach::NoView : reach;
  }

  std::vector<std::u16string> ItemNames() override {
    m_shell->Note("FolderView.ItemNames");
    std::vector<std::u16string> names;
    for (const auto& item : m_shell->Items()) names.push_back(item.caption);
    return names;
  }

  PlacingOutcome PositionItems(const std::vector<ItemPlacement>& placements) override {
    const int call = positionCalls++;
    lastPlacements = placements;
    m_shell->Note("FolderView.PositionItems " + std::to_string(placements.size()));
    const bool inTime = TakesItsTime();
    if (call == positionFailsAt) return PlacingOutcome::Refused;
    const bool cancelled = !inTime || call == positionCancelledAt;
    const std::uint64_t shownAt =
        m_shell->GetTickCount64() + (cancelled ? kCancelledLandsAfterMs : shownAfterMs);
    for (const ItemPlacement& placement : placements) {
      if (placement.item >= m_shell->Items().size() || itemsLeftInPlace.count(placement.item) != 0)
        continue;
      const int drift = itemsPlacedOff.count(placement.item) != 0 ? 3 : 0;
      if (shownAt > m_shell->GetTickCount64()) {
        m_shell->PlaceLater(placement.item, placement.x + drift, placement.y, shownAt);
      } else {
        m_shell->Place(placement.item, placement.x + drift, placement.y);
      }
    }
    return cancelled ? PlacingOutcome::MayStillRun : PlacingOutcome::Placed;
  }

  std::vector<ItemPlacement> ItemPositions(const std::vector<std::size_t>& items) override {
    m_shell->Note("FolderView.ItemPositions " + std::to_string(items.size()));
    std::vector<ItemPlacement> places;
    if (!TakesItsTime() || modelUnreadable) return places;
    for (const std::size_t item : items) {
      const PointRecord at = m_shell->ModelPlace(item);
      places.push_back({item, at.x, at.y});
    }
    return places;
  }

  std::optional<std::uint32_t> GetCurrentFolderFlags() override {
    m_shell->Note("FolderView.GetCurrentFolderFlags");
    if (!TakesItsTime()) return std::nullopt;
    return ((m_shell->ExtendedStyle() & lv::kExSnapToGrid) != 0 ? kFwfSnapToGrid : 0) |
           ((m_shell->GetWindowStyle(m_shell->ListView()) & lv::kAutoArrange) != 0 ? kFwfAutoArrange
                                                                                   : 0);
  }

  bool SetCurrentFolderFlags(std::uint32_t mask, std::uint32_t flags) override {
    m_shell->Note("FolderView.SetCurrentFolderFlags " + std::to_string(mask) + " " +
                  std::to_string(flags));
    if (!TakesItsTime(kFolderViewWrapUpMs)) return false;
    if ((mask & kFwfSnapToGrid) != 0) {
      const std::uint32_t style = m_shell->ExtendedStyle() & ~lv::kExSnapToGrid;
      m_shell->SetExtendedStyle(style | ((flags & kFwfSnapToGrid) != 0 ? lv::kExSnapToGrid : 0));
    }
    return true;
  }

  bool SaveViewState() override {
    m_shell->Note("FolderView.SaveViewState");
    return TakesItsTime(kFolderViewWrapUpMs);
  }

  void Close() override {
    ++closes;
    m_shell->Note("FolderView.Close");
  }

 private:
  // A call that would run past the deadline (and the wrap-up's time) is
  // cancelled there.
  bool TakesItsTime(std::uint64_t extraMs = 0) {
    const std::uint64_t now = m_shell->GetTickCount64();
    const std::uint64_t end = m_deadline + extraMs;
    m_shell->AdvanceClock(std::min(callMs, end > now ? end - now : 0));
    lastCallEnd = m_shell->GetTickCount64();
    return now + callMs <= end;
  }

  SimulatedShell* m_shell;
  std::uint64_t m_deadline = 0;
};

}  // namespace icotrace::testing
