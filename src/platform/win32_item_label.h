// The label a shell view shows under an item, made in this program's own
// process from the item's ID: no call leaves the process for it. Windows
// builds only.
#pragma once

#include <shobjidl.h>

#include <string>

namespace icotrace {

// What a folder view asks of its folder for the text of each item:
// SHGDN_INFOLDER, the name relative to the folder as the user sees it
// (extensions hidden when Explorer hides them). Empty when the folder
// cannot name the item.
std::u16string ItemLabel(IShellFolder& folder, PCUITEMID_CHILD item);

}  // namespace icotrace
