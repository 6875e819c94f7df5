#include "shell_desktop.h"

#include <commctrl.h>
#include <exdisp.h>
#include <shlguid.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>

#include "e2e_environment.h"
#include "remote_memory.h"

namespace icotrace::e2e {

std::optional<LRESULT> Ask(HWND window, UINT message, WPARAM wParam, const void* lParam) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(window, message, wParam, reinterpret_cast<LPARAM>(lParam),
                           SMTO_ABORTIFHUNG, kAnswerMs, &answer))
    return std::nullopt;
  return static_cast<LRESULT>(answer);
}

Places ListViewPlaces(HWND listView) {
  constexpr int kTextCapacity = 512;
  const int count = static_cast<int>(Ask(listView, LVM_GETITEMCOUNT, 0, nullptr).value_or(0));
  RemoteMemory shell(listView);
  BYTE* block = shell.Lend(sizeof(LVITEMW) + kTextCapacity * sizeof(wchar_t));
  Places places;
  for (int i = 0; block != nullptr && i < count; ++i) {
    LVITEMW item{};
    item.pszText = reinterpret_cast<wchar_t*>(block + sizeof item);
    item.cchTextMax = kTextCapacity;
    std::wstring caption(kTextCapacity, L'\0');
    POINT at{};
    if (!shell.Write(block, &item, sizeof item) || !Ask(listView, LVM_GETITEMTEXTW, i, block) ||
        !shell.Read(item.pszText, caption.data(), caption.size() * sizeof(wchar_t)) ||
        !Ask(listView, LVM_GETITEMPOSITION, i, block) || !shell.Read(block, &at, sizeof at))
      return {};
    caption.resize(wcsnlen(caption.data(), caption.size()));
    places[caption].push_back({at.x, at.y});
  }
  for (auto& [caption, points] : places) std::sort(points.begin(), points.end());
  return places;
}

std::size_t ItemCount(const Places& places) {
  std::size_t count = 0;
  for (const auto& [caption, points] : places) count += points.size();
  return count;
}

std::string Moved(const Places& before, const Places& now) {
  std::string moved;
  for (const auto& [caption, points] : before) {
    const auto found = now.find(caption);
    if (found == now.end() || found->second != points) moved += " \"" + Utf8(caption) + "\"";
  }
  return moved;
}

std::optional<ShellDesktop> ShellDesktop::Find(const std::vector<std::wstring>& names) {
  ShellDesktop desktop;
  ComPtr<IShellWindows> windows;
  ComPtr<IDispatch> dispatch;
  ComPtr<IShellBrowser> browser;
  ComPtr<IShellFolder> folder;
  ComPtr<IEnumIDList> items;
  VARIANT where{};
  where.vt = VT_I4;
  where.lVal = CSIDL_DESKTOP;
  VARIANT root{};
  long window = 0;
  HWND view = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_ALL,
                              IID_PPV_ARGS(windows.GetAddressOf()))) ||
      windows->FindWindowSW(&where, &root, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                            dispatch.GetAddressOf()) != S_OK ||
      FAILED(IUnknown_QueryService(dispatch.Get(), SID_STopLevelBrowser,
                                   IID_PPV_ARGS(browser.GetAddressOf()))) ||
      FAILED(browser->QueryActiveShellView(desktop.View.GetAddressOf())) ||
      FAILED(desktop.View.As(&desktop.Folder)) || FAILED(desktop.View->GetWindow(&view)) ||
      FAILED(SHGetDesktopFolder(folder.GetAddressOf())) ||
      FAILED(desktop.Folder->Items(SVGIO_ALLVIEW, IID_PPV_ARGS(items.GetAddressOf()))))
    return std::nullopt;
  desktop.ListView = FindWindowExW(view, nullptr, WC_LISTVIEWW, nullptr);
  PITEMID_CHILD id = nullptr;
  // A count asked for: through another process's proxy a null one fails.
  ULONG fetched = 0;
  while (items->Next(1, &id, &fetched) == S_OK && fetched == 1) {
    ItemId owned(id);
    STRRET name{};
    wchar_t text[MAX_PATH] = {};
    if (SUCCEEDED(folder->GetDisplayNameOf(id, SHGDN_INFOLDER | SHGDN_FORPARSING, &name)) &&
        SUCCEEDED(StrRetToBufW(&name, id, text, MAX_PATH))) {
      // Wine's desktop folder parses its files by their whole paths.
      const std::wstring file = PathFindFileNameW(text);
      if (std::find(names.begin(), names.end(), file) != names.end())
        desktop.Files[file] = std::move(owned);
    }
  }
  return desktop;
}

std::map<std::wstring, Place> ShellDesktop::FilePlaces() const {
  std::map<std::wstring, Place> places;
  for (const auto& [name, id] : Files) {
    POINT at{};
    if (SUCCEEDED(Folder->GetItemPosition(id.get(), &at))) places[name] = {at.x, at.y};
  }
  return places;
}

}  // namespace icotrace::e2e
