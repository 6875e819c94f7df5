// The pass of an apply that another writer than the list view makes (the
// desktop's folder view): one batch, a second for what still stands
// elsewhere, what landed read where the writer keeps it.
#pragma once

#include <optional>
#include <vector>

#include "core/desktop_icon.h"
#include "desktop/apply_report.h"
#include "desktop/found_items.h"
#include "desktop/list_view_apply.h"

namespace icotrace {

// Places what found holds out of place; places follows where the items
// stand, found marks the entries of a call that may still run, taken those
// the placer placed. Returns, once the placer can do no more, why the list
// view has to move what it never placed.
std::optional<ForgetCause> PlaceThrough(ItemPlacer& placer, const ShellExchange& exchange,
                                        const Layout& layout, std::vector<FoundItem>& found,
                                        std::vector<PointRecord>& places, std::vector<bool>& taken);

}  // namespace icotrace
