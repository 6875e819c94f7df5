#include "core/decimal_text.h"

namespace icotrace {

std::u16string DecimalText(long long value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace icotrace
