#include "platform/win32_screen_metrics.h"

#include <windows.h>

#include "platform/win/handles.h"

namespace icotrace {
namespace {

constexpr float kTwipsPerInch = 1440.0f;

float TwipsPerPixel(int dotsPerInch) {
  return dotsPerInch > 0 ? kTwipsPerInch / static_cast<float>(dotsPerInch) : 0.0f;
}

}  // namespace

ScreenTwips Win32ScreenMetrics::PrimaryScreen() {
  // The screen's device context answers with the system DPI.
  int dpiX = 0;
  int dpiY = 0;
  if (const WindowDc screen(nullptr); screen) {
    dpiX = ::GetDeviceCaps(screen.Get(), LOGPIXELSX);
    dpiY = ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
  }

  ScreenTwips twips;
  twips.twipsPerPixelX = TwipsPerPixel(dpiX);
  twips.twipsPerPixelY = TwipsPerPixel(dpiY);
  twips.width = static_cast<float>(::GetSystemMetrics(SM_CXSCREEN)) * twips.twipsPerPixelX;
  twips.height = static_cast<float>(::GetSystemMetrics(SM_CYSCREEN)) * twips.twipsPerPixelY;
  return twips;
}

}  // namespace icotrace
