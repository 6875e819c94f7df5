#include "desktop_folder.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <wrl/client.h>

#include <cstring>

namespace icotrace::demo {
namespace {

using Microsoft::WRL::ComPtr;

std::wstring NameOf(IShellFolder& folder, const ITEMIDLIST* id, SHGDNF form) {
  STRRET name{};
  wchar_t text[MAX_PATH] = {};
  if (FAILED(folder.GetDisplayNameOf(id, form, &name)) ||
      FAILED(StrRetToBufW(&name, id, text, MAX_PATH))) {
    return {};
  }
  return text;
}

std::size_t IdBytes(const ITEMIDLIST* id) {
  return id == nullptr ? 0 : id->mkid.cb + sizeof(USHORT);
}

}  // namespace

ItemId CopyItemId(const ITEMIDLIST* id) {
  const std::size_t bytes = IdBytes(id);
  if (bytes == 0) return nullptr;
  ItemId copy(static_cast<ITEMIDLIST*>(CoTaskMemAlloc(bytes)));
  if (copy) std::memcpy(copy.get(), id, bytes);
  return copy;
}

bool SameItemId(const ITEMIDLIST* a, const ITEMIDLIST* b) {
  const std::size_t bytes = IdBytes(a);
  return bytes != 0 && bytes == IdBytes(b) && std::memcmp(a, b, bytes) == 0;
}

std::vector<FolderItem> DesktopFolderItems() {
  std::vector<FolderItem> items;
  ComPtr<IShellFolder> desktop;
  ComPtr<IEnumIDList> listed;
  if (FAILED(SHGetDesktopFolder(desktop.GetAddressOf())) ||
      desktop->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, listed.GetAddressOf()) !=
          S_OK) {
    return items;
  }
  PITEMID_CHILD id = nullptr;
  while (listed->Next(1, &id, nullptr) == S_OK) {
    ItemId owned(id);
    items.push_back({NameOf(*desktop.Get(), id, SHGDN_INFOLDER),
                     NameOf(*desktop.Get(), id, SHGDN_INFOLDER | SHGDN_FORPARSING),
                     std::move(owned)});
  }
  return items;
}

}  // namespace icotrace::demo
