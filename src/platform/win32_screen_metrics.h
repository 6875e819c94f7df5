// The real screen: the primary monitor in physical pixels (the program is
// DPI aware) times 1440 / system DPI twips per pixel.
#pragma once

#include "platform/screen_metrics.h"

namespace icotrace {

class Win32ScreenMetrics final : public ScreenMetrics {
 public:
  ScreenTwips PrimaryScreen() override;
};

}  // namespace icotrace
