#include "platform/win32_screen_metrics.h"

#include <windows.h>

namespace icotrace {
namespace {

constexpr float kTwipsPerInch = 1440.0f;

float TwipsPerPixel(int dotsPerInch) {
  return dotsPerInch > 0 ? kTwipsPerInch / static_cast<float>(dotsPerInch) : 0.0f;
}

}  // namespace

ScreenTwips Win32ScreenMetrics::PrimaryScreen() {
  // The screen's device context answers with the system DPI.
  const HDC screen = ::GetDC(nullptr);
  const int dpiX = ::GetDeviceCaps(screen, LOGPIXELSX);
  const int dpiY = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);

  ScreenTwips twips;
  twips.twipsPerPixelX = TwipsPerPixel(dpiX);
  twips.twipsPerPixelY = TwipsPerPixel(dpiY);
  twips.width = static_cast<float>(::GetSystemMetrics(SM_CXSCREEN)) * twips.twipsPerPixelX;
  twips.height = static_cast<float>(::GetSystemMetrics(SM_CYSCREEN)) * twips.twipsPerPixelY;
  return twips;
}

}  // namespace icotrace
