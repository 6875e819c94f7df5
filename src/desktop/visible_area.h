// Where the current monitors are, in the desktop list view's own
// coordinates (those of item positions and of the layout), so that an apply
// can tell a recorded place that no screen shows any more.
#pragma once

#include <vector>

#include "desktop/exchange_records.h"
#include "desktop/shell_exchange.h"

namespace icotrace {

class VisibleArea {
 public:
  // Asks the list view its origin and icon spacing and the system its
  // monitors. Shows everything when the monitors cannot be told.
  static VisibleArea Of(const ShellExchange& exchange);

  // Whether an icon whose box starts at place would show, even in part, on
  // some monitor.
  bool Shows(PointRecord place) const;

 private:
  std::vector<Rect> m_monitors;  // in the list view's coordinates
  std::int32_t m_boxWidth = 0;
  std::int32_t m_boxHeight = 0;
};

}  // namespace icotrace
