#include "platform/win32_item_label.h"

#include <shlwapi.h>

namespace icotrace {

std::u16string ItemLabel(IShellFolder& folder, PCUITEMID_CHILD item) {
  STRRET name{};
  PWSTR text = nullptr;
  if (FAILED(folder.GetDisplayNameOf(item, SHGDN_INFOLDER, &name)) ||
      FAILED(::StrRetToStrW(&name, item, &text))) {
    return {};
  }
  std::u16string label(reinterpret_cast<const char16_t*>(text));
  ::CoTaskMemFree(text);
  return label;
}

}  // namespace icotrace
