// The items of the user's desktop folder as the shell's desktop folder of
// this process lists them: their IDs, their captions (as the view labels
// them) and their parsing names.
#pragma once

#include <windows.h>
#include <shtypes.h>

#include <memory>
#include <string>
#include <vector>

namespace icotrace::demo {

struct ItemIdFree {
  void operator()(ITEMIDLIST* id) const { CoTaskMemFree(id); }
};
using ItemId = std::unique_ptr<ITEMIDLIST, ItemIdFree>;

ItemId CopyItemId(const ITEMIDLIST* id);
// Whether two single-level item IDs hold the same bytes.
bool SameItemId(const ITEMIDLIST* a, const ITEMIDLIST* b);

struct FolderItem {
  std::wstring Caption;
  std::wstring Key;
  ItemId Id;
};

// In the folder's own order; empty when the shell has no desktop folder.
std::vector<FolderItem> DesktopFolderItems();

}  // namespace icotrace::demo
