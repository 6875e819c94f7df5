// --windows-shell: the desktop as Windows 10 from build 17763 and Windows 11
// keep it. The items are the user's desktop folder's; their places live in
// the view's own model (PlaceModel), which the folder view writes and the
// list view only shows; the shell's window list, browser, view and folder
// view are served to other processes through COM (shell_objects.h), with
// the faults asked for on the command line.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "demo_items.h"
#include "demo_options.h"
#include "desktop_folder.h"
#include "own_work.h"
#include "place_model.h"
#include "shell_objects.h"

namespace icotrace::demo {

class WindowsShell {
 public:
  WindowsShell(const DemoOptions& options, OwnWork& ownWork);
  ~WindowsShell();
  WindowsShell(const WindowsShell&) = delete;
  WindowsShell& operator=(const WindowsShell&) = delete;

  // The folder's items, read again, at the model's places.
  std::vector<DemoItem> ReadFolder();
  // Serves the shell's objects once the windows hold the items; false when
  // COM refused.
  bool Serve(HWND view, HWND list);
  // The view's timers (the folder watch, places shown late).
  void OnTimer(UINT_PTR timer);

  // What the served objects ask.
  bool HasFault(const wchar_t* fault) const;
  bool AnswersNoDesktopYet();  // counts the window list's calls
  HWND View() const { return m_view; }
  std::size_t Count() const { return m_items.size(); }
  const ITEMIDLIST* IdOf(std::size_t item) const { return m_items[item].Id.get(); }
  std::optional<std::size_t> Find(const ITEMIDLIST* id) const;
  POINT PlaceOf(std::size_t item) const { return m_model.PlaceOf(item); }
  SIZE Spacing() const;
  DWORD Flags() const { return m_model.Flags(); }
  void SetFlags(DWORD mask, DWORD flags);
  // SelectAndPositionItems, with the documented meaning of each SVSI_ flag.
  HRESULT SelectAndPosition(UINT count, const ITEMIDLIST* const* ids, const POINT* places,
                            DWORD flags);
  // IShellView::Refresh: the folder read again, the model's places shown.
  void Refresh();
  // IShellView::SaveViewState.
  bool SaveState() const;

 private:
  void ShowPlaces(const std::vector<std::size_t>& items);
  bool FolderChanged() const;

  const DemoOptions& m_options;
  OwnWork& m_ownWork;
  std::vector<FolderItem> m_items;
  PlaceModel m_model;
  HWND m_view = nullptr;
  HWND m_list = nullptr;
  std::vector<std::size_t> m_shownLate;  // placed, not shown yet
  int m_windowListCalls = 0;
  std::unique_ptr<ShellObjects> m_objects;  // released first: it cuts the clients off
};

}  // namespace icotrace::demo
