#include "desktop/folder_view_placer.h"

#include <algorithm>

#include "desktop/item_matching.h"

namespace icotrace {

FolderViewPlacer::FolderViewPlacer(WinApi& api, DesktopFolderView& view, const Layout& layout,
                                   std::uint64_t deadline)
    : m_api(api),
      m_view(view),
      m_items(MatchEntriesToItems(api, layout, view.ItemNames())),
      m_deadline(deadline) {}

bool FolderViewPlacer::Place(const std::vector<EntryMove>& moves) {
  std::vector<ItemPlacement> placements;
  for (const EntryMove& move : moves) {
    // An entry the view names otherwise than the list view stays where it
    // is, and the check that follows reports it.
    if (move.entry < m_items.size() && m_items[move.entry]) {
      placements.push_back({*m_items[move.entry], move.place.x, move.place.y});
    }
  }
  for (std::size_t first = 0; first < placements.size() && !m_over; first += kPlacementsPerCall) {
    const auto last = placements.begin() + static_cast<std::ptrdiff_t>(std::min(
                                               placements.size(), first + kPlacementsPerCall));
    m_over = m_api.GetTickCount64() >= m_deadline ||
             !m_view.PositionItems({placements.begin() + static_cast<std::ptrdiff_t>(first), last});
  }
  return !m_over;
}

}  // namespace icotrace
