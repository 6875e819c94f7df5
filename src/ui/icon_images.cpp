#include "ui/icon_images.h"

#include "core/decimal_text.h"

namespace icotrace {

std::u16string ImageKey(std::int32_t image) {
  return u"K" + DecimalText(image);
}

}  // namespace icotrace
