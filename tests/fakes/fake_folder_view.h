// The desktop's folder view over a simulated shell: it names the shell's
// items and places them in the desktop's own model as the real one does, with
// switches for a shell that offers no folder view for this desktop, cannot be
// reached, refuses a call, takes its time or leaves items behind. Its calls
// run on the shell's clock and give up at the session's deadline, as the
// real ones do under the message filter.
#pragma once

#include <algorithm>
#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "platform/desktop_folder_view.h"
#include "simulated_shell.h"

namespace icotrace::testing {

class FakeFolderView final : public DesktopFolderView {
 public:
  explicit FakeFolderView(SimulatedShell& shell) : m_shell(&shell) {}

  FolderViewReach reach = FolderViewReach::Opened;
  int positionFailsAt = -1;                // this call (from 0) of PositionItems fails
  std::uint64_t callMs = 0;                // how long each call takes in the shell
  std::set<std::size_t> itemsLeftInPlace;  // the shell "accepts" them but they do not move
  std::set<std::size_t> itemsPlacedOff;    // they land 3 pixels to the right

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
    return TakesItsTime() ? reach : FolderViewReach::Unreachable;
  }

  std::vector<std::u16string> ItemNames() override {
    m_shell->Note("FolderView.ItemNames");
    std::vector<std::u16string> names;
    for (const auto& item : m_shell->Items()) names.push_back(item.caption);
    return names;
  }

  bool PositionItems(const std::vector<ItemPlacement>& placements) override {
    const int call = positionCalls++;
    lastPlacements = placements;
    m_shell->Note("FolderView.PositionItems " + std::to_string(placements.size()));
    if (!TakesItsTime() || call == positionFailsAt) return false;
    for (const ItemPlacement& placement : placements) {
      if (placement.item >= m_shell->Items().size() || itemsLeftInPlace.count(placement.item) != 0)
        continue;
      const int drift = itemsPlacedOff.count(placement.item) != 0 ? 3 : 0;
      m_shell->Place(placement.item, placement.x + drift, placement.y);
    }
    return true;
  }

  void Close() override {
    ++closes;
    m_shell->Note("FolderView.Close");
  }

 private:
  // A call that would run past the deadline is cancelled there.
  bool TakesItsTime() {
    const std::uint64_t now = m_shell->GetTickCount64();
    m_shell->AdvanceClock(std::min(callMs, m_deadline > now ? m_deadline - now : 0));
    lastCallEnd = m_shell->GetTickCount64();
    return now + callMs <= m_deadline;
  }

  SimulatedShell* m_shell;
  std::uint64_t m_deadline = 0;
};

}  // namespace icotrace::testing
