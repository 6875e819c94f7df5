// The desktop's folder view as the writer of an apply, on a desktop that
// keeps its icons' places in its own model (Windows 10 1809 and later): the
// entries matched to the view's items by name, the moves handed over in
// chunks, one time budget for the whole session.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/desktop_icon.h"
#include "desktop/list_view_apply.h"
#include "platform/desktop_folder_view.h"
#include "platform/win_api.h"

namespace icotrace {

class FolderViewPlacer final : public ItemPlacer {
 public:
  // view must be open; the k-th entry of a name goes to the k-th item of the
  // view bearing it.
  FolderViewPlacer(WinApi& api, DesktopFolderView& view, const Layout& layout,
                   std::uint64_t deadline);

  // Hands the moves to the view, a chunk a call; false at the first call
  // that fails or once the budget is spent, and every time after.
  bool Place(const std::vector<EntryMove>& moves) override;

 private:
  WinApi& m_api;
  DesktopFolderView& m_view;
  std::vector<std::optional<std::size_t>> m_items;  // per entry: the view's item
  std::uint64_t m_deadline;
  bool m_over = false;
};

// Items a call places: a few hundred, so that one call stays short.
inline constexpr std::size_t kPlacementsPerCall = 256;
// The whole folder-view session's time, from its opening to its release.
inline constexpr std::uint64_t kFolderViewBudgetMs = 5000;

}  // namespace icotrace
