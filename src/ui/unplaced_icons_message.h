// What the apply command tells the user about icons it found but could not
// put where the layout says.
#pragma once

#include <string>

#include "desktop/apply_report.h"

namespace icotrace {

// The count, the first few names and the likely cause; empty when every
// item found was placed.
std::u16string UnplacedIconsMessage(const ApplyReport& report);

}  // namespace icotrace
