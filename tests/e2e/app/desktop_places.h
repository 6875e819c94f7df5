// Where the demo desktop's items stand, as the demo desktop itself tells it.
#pragma once

#include <string>
#include <vector>

#include "demo_desktop_process.h"

namespace icotrace::e2e {

// Waits a little for the items to stand where expected (an apply may return
// before the desktop has taken every move), then checks each item's place.
void CheckDesktopPlaces(const DemoDesktopProcess& demo, const std::vector<demo::DemoItem>& expected,
                        const std::string& when);

// Scrambles the desktop and checks that every item moved; the new places.
std::vector<demo::DemoItem> ScrambleDesktop(const DemoDesktopProcess& demo,
                                            const std::string& when);

}  // namespace icotrace::e2e
