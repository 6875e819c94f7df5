// What an apply has to tell the user: the items it found but could not put
// where the layout says, those it left alone because no screen would show
// them, and the moves the desktop may forget.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace icotrace {

struct ApplyReport {
  std::vector<std::u16string> Unplaced;  // the entries' names, in the layout's order
  bool AutoArrange = false;              // the list view has LVS_AUTOARRANGE
  // Items left where they stand: at the recorded place no current monitor
  // would show even a part of them (the layout was saved with other screens).
  std::vector<std::u16string> OffScreen;
  // Items moved through the list view on a desktop that keeps its own places
  // and was not reached: it may put them back at its next refresh.
  std::size_t Forgettable = 0;

  friend bool operator==(const ApplyReport&, const ApplyReport&) = default;
};

}  // namespace icotrace
