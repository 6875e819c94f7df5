// An apply through the desktop list view, in a number of round trips to the
// shell that grows with the desktop's size, not with its square: one pass of
// captions, the matching inside the program, the moves posted in bursts, and
// one pass of positions to tell which items did not land.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "core/desktop_icon.h"
#include "desktop/apply_report.h"
#include "desktop/exchange_records.h"
#include "desktop/shell_exchange.h"
#include "platform/desktop_folder_view.h"

namespace icotrace {

// An entry of the layout and where it goes.
struct EntryMove {
  std::size_t entry = 0;
  PointRecord place;
};

// What a placer did with a batch: one outcome per move, in order, and once
// it can do no more, why the list view has to move the rest.
struct PlacerAnswer {
  std::vector<PlacingOutcome> outcomes;
  std::optional<ForgetCause> over;
};

// Another writer of the places than the list view: the desktop's folder
// view, on a desktop that keeps its icons' places in its own model.
class ItemPlacer {
 public:
  virtual ~ItemPlacer() = default;
  // Places what it can.
  virtual PlacerAnswer Place(const std::vector<EntryMove>& moves) = 0;
  // Where the entries stand in the placer's own model, in order; nothing for
  // those it cannot tell.
  virtual std::vector<std::optional<PointRecord>> PlacesOf(
      const std::vector<std::size_t>& entries) = 0;
  // Whether the placer's own view arranges the items itself.
  virtual bool AutoArrange() const = 0;
  // After the last batch: keeps what was placed and gives back what was held.
  virtual void Finish() = 0;
};

// How the apply writes: through the list view alone, or through placer.
struct ApplyWriter {
  ItemPlacer* placer = nullptr;
  // The desktop forgets the list view's moves at its next refresh, so the
  // report counts them, with why.
  std::optional<ForgetCause> listMovesForgotten;
  // Entries of a placing call that may still run in the shell (in order):
  // moved no other way, named in the report.
  std::vector<std::size_t> pending;
};

// Moves every named entry's item to the entry's place, the k-th entry of a
// caption to the k-th item bearing it in the control's order. When an item
// comes or goes while it runs, it falls back to one search and one move per
// entry, as a control whose indexes changed needs. An entry whose recorded
// place no monitor shows is left alone. With a placer, the placer moves the
// items, twice at most, its own model (or the list view once it shows them)
// telling where they landed; should it fail, the list view moves what it
// never placed. The exchange area must be open; the repaint is the caller's.
ApplyReport ApplyThroughListView(const ShellExchange& exchange, const Layout& layout,
                                 ApplyWriter writer = {});

}  // namespace icotrace
