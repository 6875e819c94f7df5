// A whole number as the interface and the files write it: plain decimal
// digits, a minus sign when negative, in UTF-16.
#pragma once

#include <string>

namespace icotrace {

std::u16string DecimalText(long long value);

}  // namespace icotrace
