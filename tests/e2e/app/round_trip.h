// The walk that the round-trip scenarios share: read, save, scramble, load
// and apply through Icotrace.exe, each step's rows and file checked against
// the demo desktop's own account of its items.
#pragma once

#include <string>
#include <vector>

#include "app_checks.h"
#include "demo_desktop_process.h"
#include "scratch_install.h"

namespace icotrace::e2e {

struct RoundTrip {
  std::vector<demo::DemoItem> Original;   // before the read
  std::vector<demo::DemoItem> Scrambled;  // after the scramble, before the apply
};

// Goes as far as the click on "Appliquer la configuration bureau"; what the
// apply shows and where the items stand is the caller's to check. With a
// screenshot prefix, keeps <prefix>-read (Icotrace's rows with their
// pictures), <prefix>-scrambled and <prefix>-applied.
RoundTrip WalkToApply(IcotraceSession& icotrace, const ScratchInstall& install,
                      const DemoDesktopProcess& demo, PictureBook& pictures,
                      const std::wstring& screenshotPrefix = L"");

// Moves the pointer out of the way, then asks for the screenshot.
void KeepScreenshot(const std::wstring& name);

}  // namespace icotrace::e2e
