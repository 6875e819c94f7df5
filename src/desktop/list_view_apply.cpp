#include "desktop/list_view_apply.h"

#include <algorithm>
#include <unordered_map>

#include "desktop/caption_match.h"
#include "desktop/item_matching.h"
#include "desktop/item_operations.h"
#include "desktop/list_view_protocol.h"
#include "desktop/posted_burst.h"

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

  void Release() noexcept {
    if (!m_held) return;
    m_held = false;
    m_exchange.api.PostMessageW(m_exchange.state.hDesktopListView, lv::kSetExtendedStyle,
                                lv::kExSnapToGrid, lv::kExSnapToGrid);
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
                     const std::vector<FoundItem>& found, const std::vector<PointRecord>& places) {
  ApplyReport report;
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

}  // namespace

ApplyReport ApplyThroughListView(const ShellExchange& exchange, const Layout& layout) {
  if (std::all_of(layout.begin(), layout.end(),
                  [](const DesktopIcon& entry) { return entry.Name.empty(); })) {
    return {};
  }
  const std::int32_t count = ItemCount(exchange);
  const std::optional<Layout> items = ReadEveryItem(exchange, count);
  GridSnapHeld snap(exchange);
  std::vector<FoundItem> found;
  bool indexesChanged = !items.has_value();
  if (items) {
    std::vector<std::u16string> captions;
    captions.reserve(items->size());
    for (const DesktopIcon& item : *items) captions.push_back(item.Name);
    const auto matches = MatchEntriesToItems(exchange.api, layout, captions);
    std::vector<PostedItemMessage> moves;
    std::vector<PointRecord> places;
    for (std::size_t e = 0; e < layout.size(); ++e) {
      if (!matches[e]) continue;
      const DesktopIcon& item = (*items)[*matches[e]];
      found.push_back({e, static_cast<std::int32_t>(*matches[e])});
      places.push_back({item.X, item.Y});
      if (places.back() != PlaceOf(layout[e]))
        moves.push_back({found.back().index, PlaceOf(layout[e])});
    }
    // The pass of captions already says where every item stands.
    if (moves.empty()) return ReportOf(exchange, layout, found, places);
    snap.Engage();
    PostInBursts(exchange, lv::kSetItemPosition32, moves, BurstDrawing::Held);
    indexesChanged = ItemCount(exchange) != count;
  }
  if (indexesChanged) {
    snap.Engage();
    found = MoveEachBySearch(exchange, layout);
  }
  snap.Release();
  std::vector<PostedItemMessage> asks;
  asks.reserve(found.size());
  for (const FoundItem& item : found) asks.push_back({item.index, {}});
  return ReportOf(exchange, layout, found,
                  PostInBursts(exchange, lv::kGetItemPosition, asks, BurstDrawing::AsItGoes));
}

}  // namespace icotrace
