// The desktop's folder view, the shell's own way to place desktop items on
// Windows 10 and 11, where a position set straight on the list view is
// forgotten at the next refresh. Open for one apply, then closed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/win_types.h"

namespace icotrace {

struct ItemPlacement {
  std::size_t item = 0;  // index into ItemNames()
  // The view's own item coordinates, those the list view reports and takes
  // (LVM_GETITEMPOSITION, LVM_SETITEMPOSITION32): handed over unchanged.
  std::int32_t x = 0;
  std::int32_t y = 0;
};

enum class FolderViewReach {
  Opened,
  // The view the shell registers for the desktop shows another list view
  // than ours (Wine's own desktop beside the one we drive, a replacement
  // shell): nobody keeps places behind this list view, and its own moves
  // last. Remembered for that list view.
  NotThisDesktop,
  // The shell answered that it offers no desktop view: none registered (a
  // shell that is starting), no such interface, no such class. Asked again
  // at the next apply.
  NoView,
  // The shell's view was there to ask but did not answer in time or failed.
  Unreachable,
};

// What became of one call that places items.
enum class PlacingOutcome {
  Placed,
  Refused,  // the shell answered with an error: nothing of it was done
  Unsent,   // not made, or turned away before it ran: the session is over
  // Cancelled at the deadline while the shell had it: it may still run.
  MayStillRun,
};

// FOLDERFLAGS of IFolderView2 that the apply reads or holds.
inline constexpr std::uint32_t kFwfAutoArrange = 0x1;  // FWF_AUTOARRANGE
inline constexpr std::uint32_t kFwfSnapToGrid = 0x4;   // FWF_SNAPTOGRID

// Beyond the session's deadline, the time that the calls putting things back
// (SetCurrentFolderFlags, SaveViewState) and the releases still have: a
// session whose placing spent its budget still gives back what it held.
inline constexpr std::uint64_t kFolderViewWrapUpMs = 500;

class DesktopFolderView {
 public:
  virtual ~DesktopFolderView() = default;

  // Every call of the session gives up once the tick count (GetTickCount64)
  // reaches deadline, the wrap-up calls and Close kFolderViewWrapUpMs later.
  virtual FolderViewReach Open(WindowHandle listView, std::uint64_t deadline) = 0;
  // The items' names as the view labels them, in the view's order, made
  // inside this program from the item IDs that Open copied.
  virtual std::vector<std::u16string> ItemNames() = 0;
  // Places the items in one call (SelectAndPositionItems with
  // SVSI_POSITIONITEM | SVSI_NOTAKEFOCUS: no selection, focus left alone).
  // After anything but Placed no further placing or reading call is made.
  virtual PlacingOutcome PositionItems(const std::vector<ItemPlacement>& placements) = 0;
  // Where the items stand in the shell's own model (GetItemPosition), in the
  // order asked; stops short at the first that fails or once the time is up.
  virtual std::vector<ItemPlacement> ItemPositions(const std::vector<std::size_t>& items) = 0;
  // IFolderView2's flags; nothing when the view has no IFolderView2 or does
  // not answer.
  virtual std::optional<std::uint32_t> GetCurrentFolderFlags() = 0;
  virtual bool SetCurrentFolderFlags(std::uint32_t mask, std::uint32_t flags) = 0;
  // Has the shell write its view state now (IShellView::SaveViewState), so
  // that the places survive a restart of the shell before the session ends.
  virtual bool SaveViewState() = 0;
  // Releases everything Open took; harmless when Open failed or never ran.
  virtual void Close() = 0;
};

}  // namespace icotrace
