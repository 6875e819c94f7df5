#include "move_emulation.h"

#include <commctrl.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <set>
#include <utility>

namespace icotrace::demo {
namespace {

using Cell = std::pair<long, long>;  // column, row

// How far from the cell asked the search for a free one goes; a desktop
// fuller than that takes the cell asked.
constexpr long kFarthestRing = 64;

SIZE GridSpacing(HWND list) {
  const auto spacing = static_cast<DWORD>(SendMessageW(list, LVM_GETITEMSPACING, FALSE, 0));
  return {std::max<LONG>(LOWORD(spacing), 1), std::max<LONG>(HIWORD(spacing), 1)};
}

long Nearest(LONG value, LONG step) {
  return static_cast<long>(std::floor((value + step / 2.0) / step));
}

POINT CellPoint(const Cell& cell, SIZE spacing) {
  return {static_cast<LONG>(cell.first * spacing.cx), static_cast<LONG>(cell.second * spacing.cy)};
}

int ItemCount(HWND list) {
  return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

// The cells that the other items stand nearest to.
std::set<Cell> TakenCells(HWND list, int movedItem, SIZE spacing) {
  std::set<Cell> taken;
  const int count = ItemCount(list);
  for (int i = 0; i < count; ++i) {
    if (i == movedItem) continue;
    POINT at{};
    SendMessageW(list, LVM_GETITEMPOSITION, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&at));
    taken.insert({Nearest(at.x, spacing.cx), Nearest(at.y, spacing.cy)});
  }
  return taken;
}

// The grid cell nearest to wanted, or the free cell nearest to it when
// another item holds that one.
POINT Snapped(HWND list, int item, POINT wanted) {
  const SIZE spacing = GridSpacing(list);
  const Cell asked{Nearest(wanted.x, spacing.cx), Nearest(wanted.y, spacing.cy)};
  const std::set<Cell> taken = TakenCells(list, item, spacing);
  if (!taken.contains(asked)) return CellPoint(asked, spacing);
  const auto distance = [&](const Cell& cell) {
    const POINT at = CellPoint(cell, spacing);
    return std::hypot(static_cast<double>(at.x - wanted.x), static_cast<double>(at.y - wanted.y));
  };
  std::optional<Cell> best;
  double bestDistance = std::numeric_limits<double>::max();
  // A ring further out may still hold a nearer cell than the first ring
  // with a free one (cells are not square): look one ring beyond.
  std::optional<long> lastRing;
  for (long ring = 1; ring <= kFarthestRing && (!lastRing || ring <= *lastRing); ++ring) {
    for (long dc = -ring; dc <= ring; ++dc) {
      for (long dr = -ring; dr <= ring; ++dr) {
        if (std::max(std::labs(dc), std::labs(dr)) != ring) continue;
        const Cell cell{asked.first + dc, asked.second + dr};
        if (taken.contains(cell) || distance(cell) >= bestDistance) continue;
        best = cell;
        bestDistance = distance(cell);
      }
    }
    if (best && !lastRing) lastRing = ring + 1;
  }
  return CellPoint(best.value_or(asked), spacing);
}

LRESULT MoveItem(HWND list, int item, POINT at) {
  return DefSubclassProc(list, LVM_SETITEMPOSITION32, static_cast<WPARAM>(item),
                         reinterpret_cast<LPARAM>(&at));
}

// Every item in columns, top to bottom then left to right, in the control's
// order, as an auto-arranged desktop stands.
void Arrange(HWND list) {
  const SIZE spacing = GridSpacing(list);
  RECT client{};
  GetClientRect(list, &client);
  const long rows = std::max<long>(1, client.bottom / spacing.cy);
  const int count = ItemCount(list);
  for (int i = 0; i < count; ++i) {
    MoveItem(list, i, CellPoint({i / rows, i % rows}, spacing));
  }
}

}  // namespace

void MoveEmulation::Prepare(HWND list) const {
  if (m_snapToGrid) {
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_SNAPTOGRID, LVS_EX_SNAPTOGRID);
  }
  const LONG_PTR style = GetWindowLongPtrW(list, GWL_STYLE);
  SetWindowLongPtrW(list, GWL_STYLE,
                    m_autoArrange ? style | LVS_AUTOARRANGE : style & ~LONG_PTR{LVS_AUTOARRANGE});
}

std::optional<LRESULT> MoveEmulation::Intercept(HWND list, UINT message, WPARAM wParam,
                                                LPARAM lParam) const {
  const bool emulating = m_snapToGrid || m_autoArrange || m_ignoreMoves;
  if (!emulating || (message != LVM_SETITEMPOSITION && message != LVM_SETITEMPOSITION32)) {
    return std::nullopt;
  }
  if (m_ignoreMoves) return TRUE;
  POINT at{};
  if (message == LVM_SETITEMPOSITION) {
    at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  } else if (lParam != 0) {
    at = *reinterpret_cast<const POINT*>(lParam);
  } else {
    return FALSE;
  }
  const int item = static_cast<int>(wParam);
  // Each emulation follows its style bit as it is now: whoever clears the
  // bit gets the control's own behaviour.
  const bool snap = m_snapToGrid && (SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) &
                                     LVS_EX_SNAPTOGRID) != 0;
  const LRESULT moved = MoveItem(list, item, snap ? Snapped(list, item, at) : at);
  if (m_autoArrange && (GetWindowLongPtrW(list, GWL_STYLE) & LVS_AUTOARRANGE) != 0) Arrange(list);
  return moved;
}

}  // namespace icotrace::demo
