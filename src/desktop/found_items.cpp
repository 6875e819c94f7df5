#include "desktop/found_items.h"

#include "desktop/list_view_protocol.h"

namespace icotrace {

std::vector<PointRecord> PlacesOf(const ShellExchange& exchange,
                                  const std::vector<FoundItem>& found) {
  std::vector<PostedItemMessage> asks;
  asks.reserve(found.size());
  for (const FoundItem& item : found) asks.push_back({item.index, {}});
  return PostInBursts(exchange, lv::kGetItemPosition, asks, BurstDrawing::AsItGoes);
}

std::vector<std::size_t> OutOfPlace(const Layout& layout, const std::vector<FoundItem>& found,
                                    const std::vector<PointRecord>& places) {
  std::vector<std::size_t> out;
  for (std::size_t i = 0; i < found.size(); ++i) {
    if (!found[i].pending && places[i] != PlaceOf(layout[found[i].entry])) out.push_back(i);
  }
  return out;
}

std::vector<PostedItemMessage> MovesFor(const Layout& layout, const std::vector<FoundItem>& found,
                                        const std::vector<std::size_t>& which) {
  std::vector<PostedItemMessage> moves;
  for (const std::size_t i : which)
    moves.push_back({found[i].index, PlaceOf(layout[found[i].entry])});
  return moves;
}

std::vector<FoundItem> Subset(const std::vector<FoundItem>& found,
                              const std::vector<std::size_t>& which) {
  std::vector<FoundItem> items;
  for (const std::size_t i : which) items.push_back(found[i]);
  return items;
}

}  // namespace icotrace
