// An apply through the desktop list view, in a number of round trips to the
// shell that grows with the desktop's size, not with its square: one pass of
// captions, the matching inside the program, the moves posted in bursts, and
// one pass of positions to tell which items did not land.
#pragma once

#include "desktop/apply_report.h"
#include "core/desktop_icon.h"
#include "desktop/shell_exchange.h"

namespace icotrace {

// Moves every named entry's item to the entry's place, the k-th entry of a
// caption to the k-th item bearing it in the control's order. When an item
// comes or goes while it runs, it falls back to one search and one move per
// entry, as a control whose indexes changed needs. The exchange area must be
// open; the repaint is the caller's.
ApplyReport ApplyThroughListView(const ShellExchange& exchange, const Layout& layout);

}  // namespace icotrace
