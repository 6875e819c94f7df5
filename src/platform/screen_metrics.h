// The primary screen as the layout file name sees it: size in twips and twips
// per pixel, single precision. Asked afresh at every call; nothing is kept.
#pragma once

namespace icotrace {

struct ScreenTwips {
  float width = 0;  // the primary screen, in twips (1/1440 inch)
  float height = 0;
  float twipsPerPixelX = 0;
  float twipsPerPixelY = 0;
};

class ScreenMetrics {
 public:
  virtual ~ScreenMetrics() = default;
  virtual ScreenTwips PrimaryScreen() = 0;
};

}  // namespace icotrace
