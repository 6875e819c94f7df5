#include "desktop/list_view_apply.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>

#include "desktop/caption_match.h"
#include "desktop/found_items.h"
#include "desktop/item_matching.h"
#include "desktop/item_operations.h"
#include "desktop/list_view_protocol.h"
#include "desktop/placer_pass.h"
#include "desktop/posted_burst.h"
#include "desktop/visible_area.h"

namespace icotrace {
namespace {

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
                     std::vector<std::u16string> offScreen, bool viewArranges = false) {
  ApplyReport report;
  report.OffScreen = std::move(offScreen);
  // In the layout's order, whoever wrote them.
  std::vector<std::size_t> order(found.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return found[a].entry < found[b].entry; });
  for (const std::size_t i : order) {
    const DesktopIcon& entry = layout[found[i].entry];
    if (found[i].pending) {
      report.Pending.push_back(entry.Name);
    } else if (places[i] != PlaceOf(entry)) {
      report.Unplaced.push_back(entry.Name);
    }
  }
  if (!report.Unplaced.empty()) {
    report.AutoArrange =
        viewArranges ||
        (exchange.api.GetWindowStyle(exchange.state.hDesktopListView) & lv::kAutoArrange) != 0;
  }
  return report;
}

}  // namespace

ApplyReport ApplyThroughListView(const ShellExchange& exchange, const Layout& layout,
                                 ApplyWriter writer) {
  if (std::all_of(layout.begin(), layout.end(),
                  [](const DesktopIcon& entry) { return entry.Name.empty(); })) {
    return {};
  }
  const auto isPending = [&](std::size_t entry) {
    return std::binary_search(writer.pending.begin(), writer.pending.end(), entry);
  };
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
  std::vector<PointRecord> places;
  std::vector<bool> taken;  // per item found: placed by the placer, whose word counts
  std::vector<std::u16string> offScreen;
  std::size_t listMoves = 0;
  bool viewArranges = false;
  bool indexesChanged = !items.has_value();
  if (items) {
    std::vector<std::u16string> captions;
    captions.reserve(items->size());
    for (const DesktopIcon& item : *items) captions.push_back(item.Name);
    const auto matches = MatchEntriesToItems(exchange.api, layout, captions);
    std::optional<VisibleArea> screens;  // asked for once something has to move
    for (std::size_t e = 0; e < layout.size(); ++e) {
      if (!matches[e]) continue;
      const DesktopIcon& item = (*items)[*matches[e]];
      const PointRecord place{item.X, item.Y};
      const bool pending = isPending(e);
      if (place != PlaceOf(layout[e]) && !pending) {
        if (!screens) screens = VisibleArea::Of(exchange);
        if (!screens->Shows(PlaceOf(layout[e]))) {
          offScreen.push_back(layout[e].Name);
          continue;
        }
      }
      found.push_back({e, static_cast<std::int32_t>(*matches[e]), pending});
      places.push_back(place);
    }
    taken.assign(found.size(), false);
    std::vector<std::size_t> out = OutOfPlace(layout, found, places);
    // The pass of captions already says where every item stands.
    if (out.empty()) return ReportOf(exchange, layout, found, places, std::move(offScreen));
    if (writer.placer != nullptr) {
      writer.listMovesForgotten =
          PlaceThrough(*writer.placer, exchange, layout, found, places, taken);
      viewArranges = writer.placer->AutoArrange();
      // What the view placed lasts: only what it never placed is moved,
      // and counted.
      out = OutOfPlace(layout, found, places);
      out.erase(
          std::remove_if(out.begin(), out.end(),
                         [&](std::size_t i) { return taken[i] || !writer.listMovesForgotten; }),
          out.end());
      if (out.empty()) {
        return ReportOf(exchange, layout, found, places, std::move(offScreen), viewArranges);
      }
    }
    snap.Engage();
    PostInBursts(exchange, lv::kSetItemPosition32, MovesFor(layout, found, out), drawing);
    listMoves = out.size();
    indexesChanged = ItemCount(exchange) != count;
  }
  if (indexesChanged) {
    snap.Engage();
    // Entries a placing call may still move, and those the placer placed
    // (by their IDs, whatever the indexes), stay out of the search: it would
    // be a second writer.
    std::vector<bool> kept(layout.size(), false);
    std::vector<std::size_t> keptFound;
    for (std::size_t i = 0; i < found.size(); ++i) {
      if (!found[i].pending && !taken[i]) continue;
      kept[found[i].entry] = true;
      keptFound.push_back(i);
    }
    std::vector<FoundItem> keptItems = Subset(found, keptFound);
    std::vector<PointRecord> keptPlaces;
    for (const std::size_t i : keptFound) keptPlaces.push_back(places[i]);
    for (const std::size_t e : writer.pending) {
      if (e >= layout.size() || kept[e]) continue;
      kept[e] = true;
      keptItems.push_back({e, -1, true});
      keptPlaces.push_back({});
    }
    // The search moves each entry it finds: those no monitor would show go
    // unnamed to it, and their slots stay where they are.
    const VisibleArea screens = VisibleArea::Of(exchange);
    Layout shown = layout;
    offScreen.clear();
    for (std::size_t e = 0; e < shown.size(); ++e) {
      DesktopIcon& entry = shown[e];
      if (entry.Name.empty()) continue;
      if (!kept[e]) {
        if (screens.Shows(PlaceOf(entry))) continue;
        offScreen.push_back(entry.Name);
      }
      entry.Name.clear();
    }
    found = MoveEachBySearch(exchange, shown);
    listMoves = found.size();
    places.assign(found.size(), {});
    taken.assign(found.size(), false);
    found.insert(found.end(), keptItems.begin(), keptItems.end());
    places.insert(places.end(), keptPlaces.begin(), keptPlaces.end());
    taken.resize(found.size(), true);  // their places are told already
  }
  snap.Release();
  // One pass tells where the list view's moves landed; the placer's places,
  // told already, are not asked of a list view that may show them late.
  std::vector<std::size_t> asked;
  for (std::size_t i = 0; i < found.size(); ++i) {
    if (!taken[i] && !found[i].pending) asked.push_back(i);
  }
  const std::vector<PointRecord> seen = PlacesOf(exchange, Subset(found, asked));
  for (std::size_t k = 0; k < asked.size(); ++k) places[asked[k]] = seen[k];
  ApplyReport report =
      ReportOf(exchange, layout, found, places, std::move(offScreen), viewArranges);
  if (writer.listMovesForgotten) {
    report.Forgettable = listMoves;
    report.ForgettableCause = *writer.listMovesForgotten;
  }
  return report;
}

}  // namespace icotrace
