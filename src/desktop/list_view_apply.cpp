#include "desktop/list_view_apply.h"

#include <algorithm>
#include <unordered_map>

#include "desktop/caption_match.h"
#include "desktop/item_matching.h"
#include "desktop/item_operations.h"
#include "desktop/list_view_protocol.h"
#include "desktop/posted_burst.h"
#include "desktop/visible_area.h"

namespace icotrace {
namespace {

// An entry and the index of the item it stands for.
struct FoundItem {
  std::size_t entry = 0;
  std::int32_t index = 0;
};

PointRecord PlaceOf(const DesktopIcon& entry) {
  return {entry.X, entry.Y};
}

// Snapping to the grid would push each moved icon into the nearest free cell,
// away from where the layout puts it: it is held off while the moves run and
// given back exactly as it was on every way out. The give-back is posted so
// that it reaches the control behind any move still queued.
class GridSnapHeld {
 public:
  explicit GridSnapHeld(const ShellExchange& exchange) : m_exchange(exchange) {}
  GridSnapHeld(const GridSnapHeld&) = delete;
  GridSnapHeld& operator=(const GridSnapHeld&) = delete;
  ~GridSnapHeld() { Release(); }

  void Engage() {
    if (m_engaged) return;
    m_engaged = true;
    const auto style = static_cast<std::uint32_t>(m_exchange.Send(lv::kGetExtendedStyle, 0, 0));
    if ((style & lv::kExSnapToGrid) == 0) return;
    m_held = true;
    m_exchange.Send(lv::kSetExtendedStyle, lv::kExSnapToGrid, 0);
  }

  // Sent when the post fails (a full queue): the snapping is the user's.
  void Release() noexcept {
    if (!m_held) return;
    m_held = false;
    const WindowHandle list = m_exchange.state.hDesktopListView;
    if (!m_exchange.api.PostMessageW(list, lv::kSetExtendedStyle, lv::kExSnapToGrid,
                                     lv::kExSnapToGrid)) {
      m_exchange.api.SendMessageTimeoutW(list, lv::kSetExtendedStyle, lv::kExSnapToGrid,
                                         lv::kExSnapToGrid);
    }
  }

 private:
  const ShellExchange& m_exchange;
  bool m_engaged = false;
  bool m_held = false;
};

std::int32_t ItemCount(const ShellExchange& exchange) {
  return static_cast<std::int32_t>(exchange.Send(lv::kGetItemCount, 0, 0));
}

// Every item's caption and place, in the control's order; nothing when an
// item went away meanwhile.
std::optional<Layout> ReadEveryItem(const ShellExchange& exchange, std::int32_t count) {
  Layout items;
  items.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
  for (std::int32_t i = 0; i < count; ++i) {
    std::optional<DesktopIcon> icon = ReadIconThrough(exchange, i);
    if (!icon) return std::nullopt;
    icon->Name = CutAtNul(icon->Name);
    items.push_back(std::move(*icon));
  }
  return items;
}

// The designed way, for a desktop whose indexes changed under the apply: one
// search and one move per entry, each search of a caption already found
// starting after the item found last.
std::vector<FoundItem> MoveEachBySearch(const ShellExchange& exchange, const Layout& layout) {
  std::vector<FoundItem> found;
  std::unordered_map<std::string, std::int32_t> lastFound;
  for (std::size_t e = 0; e < layout.size(); ++e) {
    const DesktopIcon& entry = layout[e];
    if (entry.Name.empty()) continue;
    const std::string key = exchange.api.LCMapStringW(entry.Name);
    const auto previous = lastFound.find(key);
    const std::int32_t startAfter = previous == lastFound.end() ? -1 : previous->second;
    const std::int32_t index = MoveIconThrough(exchange, entry.Name, PlaceOf(entry), startAfter);
    if (index < 0) continue;
    lastFound[key] = index;
    found.push_back({e, index});
  }
  return found;
}

ApplyReport ReportOf(const ShellExchange& exchange, const Layout& layout,
                     const std::vector<FoundItem>& found, const std::vector<PointRecord>& places,
                     std::vector<std::u16string> offScreen) {
  ApplyReport report;
  report.OffScreen = std::move(offScreen);
  for (std::size_t i = 0; i < found.size(); ++i) {
    const DesktopIcon& entry = layout[found[i].entry];
    if (places[i] != PlaceOf(entry)) report.Unplaced.push_back(entry.Name);
  }
  if (!report.Unplaced.empty()) {
    report.AutoArrange =
        (exchange.api.GetWindowStyle(exchange.state.hDesktopListView) & lv::kAutoArrange) != 0;
  }
  return report;
}

// Where each item found stands now, in one posted pass.
std::vector<PointRecord> PlacesOf(const ShellExchange& exchange,
                                  const std::vector<FoundItem>& found) {
  std::vector<PostedItemMessage> asks;
  asks.reserve(found.size());
  for (const FoundItem& item : found) asks.push_back({item.index, {}});
  return PostInBursts(exchange, lv::kGetItemPosition, asks, BurstDrawing::AsItGoes);
}

// The list view's moves for the items found that do not stand in place.
std::vector<PostedItemMessage> MovesLeft(const Layout& layout, const std::vector<FoundItem>& found,
                                         const std::vector<PointRecord>& places) {
  std::vector<PostedItemMessage> moves;
  for (std::size_t i = 0; i < found.size(); ++i) {
    const PointRecord target = PlaceOf(layout[found[i].entry]);
    if (places[i] != target) moves.push_back({found[i].index, target});
  }
  return moves;
}

// The placer's first batch, and a second one for what the list view sees
// still out of place; places follows what the list view tells. False when
// the placer could not be reached: the list view has moves left to make.
bool PlaceThrough(ItemPlacer& placer, const ShellExchange& exchange, const Layout& layout,
                  const std::vector<FoundItem>& found, std::vector<PointRecord>& places) {
  for (int batch = 0; batch < 2; ++batch) {
    std::vector<EntryMove> wanted;
    for (std::size_t i = 0; i < found.size(); ++i) {
      const PointRecord target = PlaceOf(layout[found[i].entry]);
      if (places[i] != target) wanted.push_back({found[i].entry, target});
    }
    if (wanted.empty()) return true;
    if (!placer.Place(wanted)) return false;
    places = PlacesOf(exchange, found);
  }
  return true;
}

}  // namespace

ApplyReport ApplyThroughListView(const ShellExchange& exchange, const Layout& layout,
                                 ApplyWriter writer) {
  if (std::all_of(layout.begin(), layout.end(),
                  [](const DesktopIcon& entry) { return entry.Name.empty(); })) {
    return {};
  }
  const std::int32_t count = ItemCount(exchange);
  const std::optional<Layout> items = ReadEveryItem(exchange, count);
  // Desktop icons turned off hide the list view; a redraw turned back on
  // would show it again.
  const BurstDrawing drawing =
      (exchange.api.GetWindowStyle(exchange.state.hDesktopListView) & win::kWsVisible) != 0
          ? BurstDrawing::Held
          : BurstDrawing::AsItGoes;
  GridSnapHeld snap(exchange);
  std::vector<FoundItem> found;
  std::vector<std::u16string> offScreen;
  std::size_t listMoves = 0;
  bool indexesChanged = !items.has_value();
  if (items) {
    std::vector<std::u16string> captions;
    captions.reserve(items->size());
    for (const DesktopIcon& item : *items) captions.push_back(item.Name);
    const auto matches = MatchEntriesToItems(exchange.api, layout, captions);
    std::optional<VisibleArea> screens;  // asked for once something has to move
    std::vector<PointRecord> places;
    for (std::size_t e = 0; e < layout.size(); ++e) {
      if (!matches[e]) continue;
      const DesktopIcon& item = (*items)[*matches[e]];
      const PointRecord place{item.X, item.Y};
      if (place != PlaceOf(layout[e])) {
        if (!screens) screens = VisibleArea::Of(exchange);
        if (!screens->Shows(PlaceOf(layout[e]))) {
          offScreen.push_back(layout[e].Name);
          continue;
        }
      }
      found.push_back({e, static_cast<std::int32_t>(*matches[e])});
      places.push_back(place);
    }
    std::vector<PostedItemMessage> moves = MovesLeft(layout, found, places);
    // The pass of captions already says where every item stands.
    if (moves.empty()) return ReportOf(exchange, layout, found, places, std::move(offScreen));
    snap.Engage();
    if (writer.placer != nullptr) {
      if (PlaceThrough(*writer.placer, exchange, layout, found, places)) {
        return ReportOf(exchange, layout, found, places, std::move(offScreen));
      }
      // What the view placed before it failed lasts: only the rest is
      // moved, and counted.
      writer.listMovesForgotten = true;
      moves = MovesLeft(layout, found, PlacesOf(exchange, found));
    }
    PostInBursts(exchange, lv::kSetItemPosition32, moves, drawing);
    listMoves = moves.size();
    indexesChanged = ItemCount(exchange) != count;
  }
  if (indexesChanged) {
    snap.Engage();
    // The search moves each entry it finds: those no monitor would show go
    // unnamed to it, and their slots stay where they are.
    const VisibleArea screens = VisibleArea::Of(exchange);
    Layout shown = layout;
    offScreen.clear();
    for (DesktopIcon& entry : shown) {
      if (entry.Name.empty() || screens.Shows(PlaceOf(entry))) continue;
      offScreen.push_back(entry.Name);
      entry.Name.clear();
    }
    found = MoveEachBySearch(exchange, shown);
    listMoves = found.size();
  }
  snap.Release();
  ApplyReport report =
      ReportOf(exchange, layout, found, PlacesOf(exchange, found), std::move(offScreen));
  if (writer.listMovesForgotten) report.Forgettable = listMoves;
  return report;
}

}  // namespace icotrace
