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

FolderViewPlacer::~FolderViewPlacer() {
  GiveGridBack();
}

bool FolderViewPlacer::TimeLeft() const {
  return !m_over && m_api.GetTickCount64() < m_deadline;
}

PlacerAnswer FolderViewPlacer::Place(const std::vector<EntryMove>& moves) {
  // An entry the view names otherwise than the list view stays where it is,
  // and the check that follows reports it.
  PlacerAnswer answer{std::vector<PlacingOutcome>(moves.size(), PlacingOutcome::Refused), {}};
  if (!m_flagsRead && TimeLeft()) {
    m_flagsRead = true;
    // The shell's own grid would push each item into the nearest free cell;
    // a view without IFolderView2 is placed as it is.
    m_flags = m_view.GetCurrentFolderFlags().value_or(0);
    if ((m_flags & kFwfSnapToGrid) != 0)
      m_gridHeld = m_view.SetCurrentFolderFlags(kFwfSnapToGrid, 0);
  }
  std::vector<ItemPlacement> placements;
  std::vector<std::size_t> sources;  // per placement: its move
  for (std::size_t k = 0; k < moves.size(); ++k) {
    const EntryMove& move = moves[k];
    if (move.entry < m_items.size() && m_items[move.entry]) {
      placements.push_back({*m_items[move.entry], move.place.x, move.place.y});
      sources.push_back(k);
    }
  }
  for (std::size_t first = 0; first < placements.size(); first += kPlacementsPerCall) {
    const std::size_t last = std::min(placements.size(), first + kPlacementsPerCall);
    PlacingOutcome outcome = PlacingOutcome::Unsent;
    if (TimeLeft()) {
      outcome = m_view.PositionItems({placements.begin() + static_cast<std::ptrdiff_t>(first),
                                      placements.begin() + static_cast<std::ptrdiff_t>(last)});
    }
    for (std::size_t p = first; p < last; ++p) answer.outcomes[sources[p]] = outcome;
    if (outcome == PlacingOutcome::Placed) {
      m_placedAny = true;
    } else if (!m_over) {
      m_over = outcome == PlacingOutcome::Refused ? ForgetCause::Declined : ForgetCause::Unanswered;
    }
  }
  answer.over = m_over;
  return answer;
}

std::vector<std::optional<PointRecord>> FolderViewPlacer::PlacesOf(
    const std::vector<std::size_t>& entries) {
  std::vector<std::optional<PointRecord>> places(entries.size());
  std::vector<std::size_t> items;
  std::vector<std::size_t> sources;
  for (std::size_t k = 0; k < entries.size(); ++k) {
    if (entries[k] < m_items.size() && m_items[entries[k]]) {
      items.push_back(*m_items[entries[k]]);
      sources.push_back(k);
    }
  }
  if (items.empty() || !TimeLeft()) return places;
  const std::vector<ItemPlacement> kept = m_view.ItemPositions(items);
  for (std::size_t p = 0; p < kept.size() && p < sources.size(); ++p)
    places[sources[p]] = PointRecord{kept[p].x, kept[p].y};
  // A view that stops short is over: the list view tells the rest.
  if (kept.size() < items.size()) m_over = m_over.value_or(ForgetCause::Unanswered);
  return places;
}

void FolderViewPlacer::Finish() {
  // So that the places outlive a restart of the shell before the session
  // ends, when the shell would write them.
  if (m_placedAny) m_view.SaveViewState();
  GiveGridBack();
}

void FolderViewPlacer::GiveGridBack() noexcept {
  if (!m_gridHeld) return;
  m_gridHeld = false;
  m_view.SetCurrentFolderFlags(kFwfSnapToGrid, kFwfSnapToGrid);
}

}  // namespace icotrace
