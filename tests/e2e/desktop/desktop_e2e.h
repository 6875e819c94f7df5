// The end-to-end checks of the desktop access: modCommon with the real
// Win32Api against demo desktops started for the purpose.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/command_error.h"
#include "core/desktop_icon.h"
#include "demo_items.h"
#include "live_windows.h"
#include "message_of.h"
#include "real_desktop.h"

namespace icotrace::e2e {

struct DemoPaths {
  std::wstring Same;   // the demo desktop of this build's bitness
  std::wstring Other;  // of the other bitness; empty when not given
};
// From the program's arguments: <demo-desktop.exe> [<other bitness's>].
const DemoPaths& Demos();

std::u16string Text16(std::wstring_view text);

// The desktop list view as the desktop access finds it, checked to be a
// SysListView32 under a SHELLDLL_DefView; null when none was found.
HWND CheckFoundListView(RealDesktop& desktop);

// The default items as a demo desktop of that pointer width holds them.
std::vector<demo::DemoItem> DefaultItemsAsHeld(unsigned demoPointerBits);

// Checks that a read gave exactly these items, in this order (item data:
// the low 32 bits).
void CheckSameItems(const Layout& read, const std::vector<demo::DemoItem>& truth);

// Checks that every item stands where expected says, captions and order
// unchanged.
void CheckPositions(const std::vector<demo::DemoItem>& actual,
                    const std::vector<demo::DemoItem>& expected);

// Starts a demo desktop, reads it, scrambles it, applies the read and checks
// through the demo desktop that every item is back. Screenshots of the
// scrambled and restored desktop when screenshotPrefix is not empty.
void ScrambleAndRestore(const std::wstring& demoPath, const std::vector<std::wstring>& arguments,
                        const std::wstring& screenshotPrefix);

}  // namespace icotrace::e2e
