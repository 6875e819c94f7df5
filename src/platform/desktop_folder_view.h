// The desktop's folder view, the shell's own way to place desktop items on
// Windows 10 and 11, where a position set straight on the list view is
// forgotten at the next refresh. Open for one apply, then closed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/win_types.h"

namespace icotrace {

struct ItemPlacement {
  std::size_t item = 0;  // index into ItemNames()
  std::int32_t x = 0;
  std::int32_t y = 0;
};

class DesktopFolderView {
 public:
  virtual ~DesktopFolderView() = default;

  // False when the shell offers no folder view for the desktop whose list
  // view is listView (none at all, or one of another desktop window).
  virtual bool Open(WindowHandle listView) = 0;
  // The items' names as the desktop shows them, in the view's order.
  virtual std::vector<std::u16string> ItemNames() = 0;
  // Places the items in one call; false when the call failed.
  virtual bool PositionItems(const std::vector<ItemPlacement>& placements) = 0;
  // Releases everything Open took; harmless when Open failed or never ran.
  virtual void Close() = 0;
};

}  // namespace icotrace
