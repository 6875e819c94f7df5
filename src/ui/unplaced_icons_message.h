// What the apply command tells the user, in one message: the icons it found
// but could not put where the layout says, those it left alone because no
// screen would show them, and the moves the desktop may forget.
#pragma once

#include <string>

#include "desktop/apply_report.h"

namespace icotrace {

// For each kind, the count, the first few names and the cause; empty when
// every item found was placed where it lasts.
std::u16string UnplacedIconsMessage(const ApplyReport& report);

}  // namespace icotrace
