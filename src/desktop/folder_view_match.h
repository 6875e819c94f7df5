// Which folder-view item each entry of a layout stands for, by the rules of
// the list-view search: whole caption, letter case ignored, the k-th entry of
// a caption to the k-th item of it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "desktop/desktop_icon.h"

namespace icotrace {

// One slot per entry of layout: the index into names, or nothing for an
// entry that is empty, too long to search for, or bears no item's name.
std::vector<std::optional<std::size_t>> MatchEntriesToItems(
    const Layout& layout, const std::vector<std::u16string>& names);

}  // namespace icotrace
