// What the real-desktop checks read of a desktop from outside: the places
// its list view shows, and its folder view found as the shell registers it.
#pragma once

#include <windows.h>
#include <shobjidl.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/win/handles.h"

namespace icotrace::e2e {

inline constexpr DWORD kAnswerMs = 5000;

using Place = std::pair<LONG, LONG>;
// Each caption's places, sorted: duplicate captions may come in any order.
using Places = std::map<std::wstring, std::vector<Place>>;

std::optional<LRESULT> Ask(HWND window, UINT message, WPARAM wParam, const void* lParam);
// Every item of the list view as its own process tells it, read through
// memory lent there; empty when the control does not answer.
Places ListViewPlaces(HWND listView);
std::size_t ItemCount(const Places& places);
// The captions whose places differ between the two accounts.
std::string Moved(const Places& before, const Places& now);

struct ItemIdDeleter {
  void operator()(ITEMID_CHILD* id) const { CoTaskMemFree(id); }
};
using ItemId = std::unique_ptr<ITEMID_CHILD, ItemIdDeleter>;

// The desktop's folder view, found as the shell registers it, and our files
// in it by their names on disk, as the desktop folder of this process names
// their IDs (the view's folder is that folder).
struct ShellDesktop {
  ComPtr<IShellView> View;
  ComPtr<IFolderView> Folder;
  HWND ListView = nullptr;
  std::map<std::wstring, ItemId> Files;

  static std::optional<ShellDesktop> Find(const std::vector<std::wstring>& names);
  // Each of our files' place in the view; nothing for a file it lacks.
  std::map<std::wstring, Place> FilePlaces() const;
};

}  // namespace icotrace::e2e
