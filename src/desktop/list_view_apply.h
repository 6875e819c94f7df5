// An apply through the desktop list view, in a number of round trips to the
// shell that grows with the desktop's size, not with its square: one pass of
// captions, the matching inside the program, the moves posted in bursts, and
// one pass of positions to tell which items did not land.
#pragma once

#include <cstddef>
#include <vector>

#include "core/desktop_icon.h"
#include "desktop/apply_report.h"
#include "desktop/exchange_records.h"
#include "desktop/shell_exchange.h"

namespace icotrace {

// An entry of the layout and where it goes.
struct EntryMove {
  std::size_t entry = 0;
  PointRecord place;
};

// Another writer of the places than the list view: the desktop's folder
// view, on a desktop that keeps its icons' places in its own model.
class ItemPlacer {
 public:
  virtual ~ItemPlacer() = default;
  // Places what it can; false once it can no longer be reached.
  virtual bool Place(const std::vector<EntryMove>& moves) = 0;
};

// How the apply writes: through the list view alone, or through placer.
// listMovesForgotten: the desktop forgets the list view's moves at its next
// refresh, so the report counts them.
struct ApplyWriter {
  ItemPlacer* placer = nullptr;
  bool listMovesForgotten = false;
};

// Moves every named entry's item to the entry's place, the k-th entry of a
// caption to the k-th item bearing it in the control's order. When an item
// comes or goes while it runs, it falls back to one search and one move per
// entry, as a control whose indexes changed needs. An entry whose recorded
// place no monitor shows is left alone. With a placer, the placer moves the
// items, twice at most, the list view telling where they landed; should it
// fail, the list view moves what is left. The exchange area must be open;
// the repaint is the caller's.
ApplyReport ApplyThroughListView(const ShellExchange& exchange, const Layout& layout,
                                 ApplyWriter writer = {});

}  // namespace icotrace
