// The desktop's folder view over a simulated shell: it names the shell's
// items and places them as the real one would, with switches for a shell
// that offers no folder view, refuses the batch, or leaves items behind.
#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "platform/desktop_folder_view.h"
#include "simulated_shell.h"

namespace icotrace::testing {

class FakeFolderView final : public DesktopFolderView {
 public:
  explicit FakeFolderView(SimulatedShell& shell) : m_shell(shell) {}

  bool available = true;
  bool positionFails = false;
  std::set<std::size_t> itemsLeftInPlace;  // the shell "accepts" them but they do not move
  std::set<std::size_t> itemsPlacedOff;    // they land 3 pixels to the right

  int opens = 0;
  WindowHandle openedFor = 0;  // the list view the last Open was asked for
  int closes = 0;
  int positionCalls = 0;
  std::vector<ItemPlacement> lastPlacements;

  bool Open(WindowHandle listView) override {
    ++opens;
    m_shell.Note("FolderView.Open");
    openedFor = listView;
    return available;
  }

  std::vector<std::u16string> ItemNames() override {
    m_shell.Note("FolderView.ItemNames");
    std::vector<std::u16string> names;
    for (const auto& item : m_shell.Items()) names.push_back(item.caption);
    return names;
  }

  bool PositionItems(const std::vector<ItemPlacement>& placements) override {
    ++positionCalls;
    lastPlacements = placements;
    m_shell.Note("FolderView.PositionItems " + std::to_string(placements.size()));
    if (positionFails) return false;
    auto& items = m_shell.MutableItems();
    for (const ItemPlacement& placement : placements) {
      if (placement.item >= items.size() || itemsLeftInPlace.count(placement.item) != 0) continue;
      const int drift = itemsPlacedOff.count(placement.item) != 0 ? 3 : 0;
      items[placement.item].x = placement.x + drift;
      items[placement.item].y = placement.y;
    }
    return true;
  }

  void Close() override {
    ++closes;
    m_shell.Note("FolderView.Close");
  }

 private:
  SimulatedShell& m_shell;
};

}  // namespace icotrace::testing
