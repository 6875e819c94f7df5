// The entries an apply found on the desktop list view, and the list view's
// word on where they stand.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/desktop_icon.h"
#include "desktop/exchange_records.h"
#include "desktop/posted_burst.h"
#include "desktop/shell_exchange.h"

namespace icotrace {

// An entry and the index of the item it stands for. Pending: a placing call
// that may still run holds it, so nothing else moves it.
struct FoundItem {
  std::size_t entry = 0;
  std::int32_t index = 0;
  bool pending = false;
};

inline PointRecord PlaceOf(const DesktopIcon& entry) {
  return {entry.X, entry.Y};
}

// Where each item found stands now, in one posted pass.
std::vector<PointRecord> PlacesOf(const ShellExchange& exchange,
                                  const std::vector<FoundItem>& found);

// The items found that do not stand in place and that nothing else may
// still move.
std::vector<std::size_t> OutOfPlace(const Layout& layout, const std::vector<FoundItem>& found,
                                    const std::vector<PointRecord>& places);

// The list view's moves for those items.
std::vector<PostedItemMessage> MovesFor(const Layout& layout, const std::vector<FoundItem>& found,
                                        const std::vector<std::size_t>& which);

std::vector<FoundItem> Subset(const std::vector<FoundItem>& found,
                              const std::vector<std::size_t>& which);

}  // namespace icotrace
