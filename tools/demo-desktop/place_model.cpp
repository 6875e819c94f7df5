#include "place_model.h"

#include <shobjidl.h>

#include <algorithm>
#include <cstdlib>

#include "demo_items.h"

namespace icotrace::demo {
namespace {

LONG NearestMultiple(LONG value, LONG step) {
  const LONG down = value >= 0 ? value / step : -((-value + step - 1) / step);
  return (value - down * step) * 2 >= step ? (down + 1) * step : down * step;
}

bool operator==(POINT a, POINT b) {
  return a.x == b.x && a.y == b.y;
}

}  // namespace

void PlaceModel::SetGrid(SIZE cell, SIZE area) {
  if (cell.cx > 0 && cell.cy > 0) m_cell = cell;
  if (area.cx > 0 && area.cy > 0) m_area = area;
}

void PlaceModel::Sync(const std::vector<std::wstring>& keys) {
  m_keys = keys;
  for (std::size_t i = 0; i < m_keys.size(); ++i) {
    if (m_places.count(m_keys[i]) == 0) m_places[m_keys[i]] = FreeCellNear({0, 0}, i);
  }
  if ((m_flags & FWF_AUTOARRANGE) != 0) Arrange();
}

POINT PlaceModel::PlaceOf(std::size_t item) const {
  return item < m_keys.size() ? m_places.at(m_keys[item]) : POINT{};
}

void PlaceModel::Place(std::size_t item, POINT wanted) {
  if (item >= m_keys.size() || (m_flags & FWF_AUTOARRANGE) != 0) return;
  m_places[m_keys[item]] = (m_flags & FWF_SNAPTOGRID) != 0 ? FreeCellNear(wanted, item) : wanted;
}

void PlaceModel::SetFlags(DWORD mask, DWORD flags) {
  const bool arranged = (m_flags & FWF_AUTOARRANGE) != 0;
  m_flags = (m_flags & ~mask) | (flags & mask);
  if (!arranged && (m_flags & FWF_AUTOARRANGE) != 0) Arrange();
}

// The cell nearest wanted that no other item holds, ring by ring around it.
POINT PlaceModel::FreeCellNear(POINT wanted, std::size_t item) const {
  const POINT centre{NearestMultiple(wanted.x, m_cell.cx), NearestMultiple(wanted.y, m_cell.cy)};
  const auto taken = [&](POINT cell) {
    for (std::size_t other = 0; other < m_keys.size(); ++other) {
      const auto found = m_places.find(m_keys[other]);
      if (other != item && found != m_places.end() && found->second == cell) return true;
    }
    return false;
  };
  constexpr LONG kWidestRing = 200;
  for (LONG ring = 0; ring <= kWidestRing; ++ring) {
    for (LONG dx = -ring; dx <= ring; ++dx) {
      for (LONG dy = -ring; dy <= ring; ++dy) {
        if (std::max(std::abs(dx), std::abs(dy)) != ring) continue;
        const POINT cell{centre.x + dx * m_cell.cx, centre.y + dy * m_cell.cy};
        if (cell.x >= 0 && cell.y >= 0 && !taken(cell)) return cell;
      }
    }
  }
  return centre;
}

// In columns, top to bottom then left to right, in view order.
void PlaceModel::Arrange() {
  const LONG rows = std::max<LONG>(1, m_area.cy / m_cell.cy);
  for (std::size_t i = 0; i < m_keys.size(); ++i) {
    const auto index = static_cast<LONG>(i);
    m_places[m_keys[i]] = {index / rows * m_cell.cx, index % rows * m_cell.cy};
  }
}

std::string PlaceModel::Save() const {
  std::vector<DemoItem> lines;
  for (const auto& [key, place] : m_places) lines.push_back({key, place.x, place.y, 0, 0});
  return FormatItemFile(lines);
}

void PlaceModel::Load(std::string_view text) {
  for (const DemoItem& line : ParseItemFile(text)) m_places[line.Caption] = {line.X, line.Y};
}

}  // namespace icotrace::demo
