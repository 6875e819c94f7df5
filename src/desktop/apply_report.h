// What an apply has to tell the user: the items it found but could not put
// where the layout says, and whether the desktop arranges its icons itself.
#pragma once

#include <string>
#include <vector>

namespace icotrace {

struct ApplyReport {
  std::vector<std::u16string> Unplaced;  // the entries' names, in the layout's order
  bool AutoArrange = false;              // the list view has LVS_AUTOARRANGE

  friend bool operator==(const ApplyReport&, const ApplyReport&) = default;
};

}  // namespace icotrace
