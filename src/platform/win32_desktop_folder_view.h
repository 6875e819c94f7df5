// The desktop's folder view through the shell's own interfaces
// (IShellWindows, IShellBrowser, IShellView, IFolderView2). Windows builds only.
#pragma once

#include <memory>

#include "platform/desktop_folder_view.h"

namespace icotrace {

class Win32DesktopFolderView final : public DesktopFolderView {
 public:
  Win32DesktopFolderView();
  ~Win32DesktopFolderView() override;
  Win32DesktopFolderView(const Win32DesktopFolderView&) = delete;
  Win32DesktopFolderView& operator=(const Win32DesktopFolderView&) = delete;

  FolderViewReach Open(WindowHandle listView, std::uint64_t deadline) override;
  std::vector<std::u16string> ItemNames() override;
  PlacingOutcome PositionItems(const std::vector<ItemPlacement>& placements) override;
  std::vector<ItemPlacement> ItemPositions(const std::vector<std::size_t>& items) override;
  std::optional<std::uint32_t> GetCurrentFolderFlags() override;
  bool SetCurrentFolderFlags(std::uint32_t mask, std::uint32_t flags) override;
  bool SaveViewState() override;
  void Close() override;

  struct Shell;  // what the shell's thread holds

 private:
  struct Session;
  std::unique_ptr<Session> m_session;
  // The list view last confirmed to belong to another desktop than the one
  // the shell registers (Wine's own desktop beside the one we drive): asking
  // the shell again for the same list view would only cost time.
  WindowHandle m_foreignListView = 0;
};

}  // namespace icotrace
