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

enum class FolderViewReach {
  Opened,
  // The shell registers no desktop view, or one of another list view than
  // ours (Wine's own desktop, a replacement shell): nobody keeps places
  // behind this list view, and its own moves last.
  NotThisDesktop,
  // The shell's view was there to ask but did not answer in time or failed.
  Unreachable,
};

class DesktopFolderView {
 public:
  virtual ~DesktopFolderView() = default;

  // Every call of the session, Open and Close included, gives up once the
  // tick count (GetTickCount64) reaches deadline.
  virtual FolderViewReach Open(WindowHandle listView, std::uint64_t deadline) = 0;
  // The items' names as the view labels them, in the view's order, made
  // inside this program from the item IDs that Open copied.
  virtual std::vector<std::u16string> ItemNames() = 0;
  // Places the items in one call; false when the call failed, was turned
  // away or ran out of time: the session is over then.
  virtual bool PositionItems(const std::vector<ItemPlacement>& placements) = 0;
  // Releases everything Open took; harmless when Open failed or never ran.
  virtual void Close() = 0;
};

}  // namespace icotrace
