#include "desktop/caption_match.h"

namespace icotrace {

std::u16string CutAtNul(std::u16string_view text) {
  return std::u16string(text.substr(0, text.find(u'\0')));
}

}  // namespace icotrace
