// What a real desktop does with a move and Wine's list view leaves undone:
// snap to the grid (--snap-to-grid), arrange every item again
// (--auto-arrange), or ignore the move (--ignore-moves). See demo_protocol.h.
#pragma once

#include <windows.h>

#include <optional>

#include "demo_options.h"

namespace icotrace::demo {

class MoveEmulation {
 public:
  explicit MoveEmulation(const DemoOptions& options)
      : m_snapToGrid(options.SnapToGrid),
        m_autoArrange(options.AutoArrange),
        m_ignoreMoves(options.IgnoreMoves) {}

  // Gives the list view the styles the emulations stand for, and takes away
  // an arrangement the switches did not ask for.
  void Prepare(HWND list) const;

  // Called from the list view's subclass for every message but those of the
  // demo desktop's own work: a move is carried out here (through
  // DefSubclassProc) and its answer returned; nothing for any other message.
  std::optional<LRESULT> Intercept(HWND list, UINT message, WPARAM wParam, LPARAM lParam) const;

 private:
  bool m_snapToGrid;
  bool m_autoArrange;
  bool m_ignoreMoves;
};

}  // namespace icotrace::demo
