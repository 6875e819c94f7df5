// One desktop item as the program records it, and the table of them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace icotrace {

struct DesktopIcon {
  std::u16string Name;  // empty: the entry stands for no item
  std::int32_t X = 0;   // list view client coordinates, pixels
  std::int32_t Y = 0;
  std::int32_t lParam = 0;  // the item data, recorded and shown only
  std::int32_t Image = 0;   // index in the desktop's small image list

  friend bool operator==(const DesktopIcon&, const DesktopIcon&) = default;
};

using Layout = std::vector<DesktopIcon>;

}  // namespace icotrace
