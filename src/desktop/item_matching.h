// Which item each entry of a layout stands for, by the rules of the list
// view's own search: the whole caption, compared as the platform compares
// without regard to letter case, the k-th entry of a caption to the k-th item
// bearing it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/desktop_icon.h"
#include "platform/win_api.h"

namespace icotrace {

// One slot per entry of layout: the index into names, or nothing for an
// entry that is empty, too long to search for, or bears no item's name.
// The captions' keys come from the platform (api.LCMapStringW).
std::vector<std::optional<std::size_t>> MatchEntriesToItems(
    WinApi& api, const Layout& layout, const std::vector<std::u16string>& names);

}  // namespace icotrace
