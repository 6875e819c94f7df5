// The desktop's folder view as the writer of an apply, on a desktop that
// keeps its icons' places in its own model (Windows 10 1809 and later): the
// entries matched to the view's items by name, the moves handed over in
// chunks, the shell's grid held off meanwhile, what landed read from the
// shell's model, the view's state saved, one time budget for the whole
// session.
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
  // Gives the grid back on every way out.
  ~FolderViewPlacer() override;
  FolderViewPlacer(const FolderViewPlacer&) = delete;
  FolderViewPlacer& operator=(const FolderViewPlacer&) = delete;

  // Hands the moves to the view, a chunk a call, until the first call that
  // does not place or the budget is spent; nothing is handed over after.
  PlacerAnswer Place(const std::vector<EntryMove>& moves) override;
  std::vector<std::optional<PointRecord>> PlacesOf(
      const std::vector<std::size_t>& entries) override;
  bool AutoArrange() const override { return (m_flags & kFwfAutoArrange) != 0; }
  // Saves the view's state when anything was placed, and gives the grid back.
  void Finish() override;

 private:
  bool TimeLeft() const;
  void GiveGridBack() noexcept;

  WinApi& m_api;
  DesktopFolderView& m_view;
  std::vector<std::optional<std::size_t>> m_items;  // per entry: the view's item
  std::uint64_t m_deadline;
  std::optional<ForgetCause> m_over;
  bool m_flagsRead = false;
  std::uint32_t m_flags = 0;
  bool m_gridHeld = false;
  bool m_placedAny = false;
};

// Items a call places: a few hundred, so that one call stays short.
inline constexpr std::size_t kPlacementsPerCall = 256;
// The whole folder-view session's time, from its opening to its release.
inline constexpr std::uint64_t kFolderViewBudgetMs = 5000;

}  // namespace icotrace
