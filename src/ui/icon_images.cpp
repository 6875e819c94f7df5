#include "ui/icon_images.h"

#include <string>

namespace icotrace {

std::u16string ImageKey(std::int32_t image) {
  std::u16string key = u"K";
  for (const char digit : std::to_string(image)) key.push_back(static_cast<char16_t>(digit));
  return key;
}

}  // namespace icotrace
