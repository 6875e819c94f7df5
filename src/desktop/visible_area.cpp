#include "desktop/visible_area.h"

#include <algorithm>

#include "core/command_error.h"
#include "desktop/desktop_messages.h"
#include "desktop/list_view_protocol.h"

namespace icotrace {

VisibleArea VisibleArea::Of(const ShellExchange& exchange) {
  VisibleArea area;
  WinApi& api = exchange.api;
  // The list view's client corner on the screen, and the view's origin: an
  // item at p stands at p - origin in the client area.
  std::int32_t clientX = 0;
  std::int32_t clientY = 0;
  const std::vector<Rect> monitors = api.EnumDisplayMonitors();
  if (monitors.empty() || !api.ClientToScreen(exchange.state.hDesktopListView, clientX, clientY)) {
    return area;
  }
  exchange.Send(lv::kGetOrigin, 0, static_cast<std::int64_t>(exchange.state.PointRegion));
  Bytes origin(kPointSize);
  if (!exchange.family.read(api, exchange.state, exchange.state.PointRegion, origin)) {
    throw CommandError(messages::kDesktopNotResponding);
  }
  const PointRecord shift = DecodePoint(origin);
  for (const Rect& monitor : monitors) {
    area.m_monitors.push_back({monitor.left - clientX + shift.x, monitor.top - clientY + shift.y,
                               monitor.right - clientX + shift.x,
                               monitor.bottom - clientY + shift.y});
  }
  // An icon's box with its label, as the view lays them out.
  const auto spacing = static_cast<std::uint32_t>(exchange.Send(lv::kGetIconSpacing, 0, 0));
  area.m_boxWidth = static_cast<std::int32_t>(spacing & 0xFFFF);
  area.m_boxHeight = static_cast<std::int32_t>(spacing >> 16);
  return area;
}

bool VisibleArea::Shows(PointRecord place) const {
  if (m_monitors.empty()) return true;
  // 64-bit sums: a place read from a file may sit near the ends of the range.
  const std::int64_t right = std::int64_t{place.x} + std::max(m_boxWidth, 1);
  const std::int64_t bottom = std::int64_t{place.y} + std::max(m_boxHeight, 1);
  for (const Rect& monitor : m_monitors) {
    if (place.x < monitor.right && right > monitor.left && place.y < monitor.bottom &&
        bottom > monitor.top) {
      return true;
    }
  }
  return false;
}

}  // namespace icotrace
