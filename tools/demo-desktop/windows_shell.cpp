#include "windows_shell.h"

#include <commctrl.h>
#include <shobjidl.h>

#include <algorithm>

#include "demo_protocol.h"
#include "list_view_items.h"

namespace icotrace::demo {
namespace {

constexpr UINT_PTR kFolderWatchTimer = 0x5701;
constexpr UINT_PTR kShownLateTimer = 0x5702;
constexpr UINT kFolderWatchMs = 500;
constexpr UINT kShownLateMs = 600;
constexpr DWORD kHangsMs = 20000;
constexpr DWORD kAnswersLateMs = 7000;
constexpr int kNoDesktopCalls = 1;

std::string ReadState(const std::wstring& path) {
  std::string bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char chunk[4096];
  DWORD read = 0;
  while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) bytes.append(chunk, read);
  CloseHandle(file);
  return bytes;
}

}  // namespace

// The places saved last, once, as the shell finds them when it starts.
WindowsShell::WindowsShell(const DemoOptions& options, OwnWork& ownWork)
    : m_options(options), m_ownWork(ownWork) {
  if (m_options.ViewStateFile.empty()) return;
  try {
    m_model.Load(ReadState(m_options.ViewStateFile));
  } catch (const ItemFileError&) {
    // A state the shell cannot read is no state: the items start anew.
  }
}

WindowsShell::~WindowsShell() {
  m_objects.reset();  // revokes the class and cuts every client off
}

std::vector<DemoItem> WindowsShell::ReadFolder() {
  m_items = DesktopFolderItems();
  std::vector<std::wstring> keys;
  for (const FolderItem& item : m_items) keys.push_back(item.Key);
  m_model.Sync(keys);
  std::vector<DemoItem> shown;
  for (std::size_t i = 0; i < m_items.size(); ++i) {
    const POINT place = m_model.PlaceOf(i);
    shown.push_back({m_items[i].Caption, place.x, place.y,
                     static_cast<std::int32_t>(i % kImageCount), static_cast<std::int64_t>(i)});
  }
  return shown;
}

bool WindowsShell::Serve(HWND view, HWND list) {
  m_view = view;
  m_list = list;
  RECT client{};
  GetClientRect(list, &client);
  m_model.SetGrid(Spacing(), {client.right, client.bottom});
  if (m_options.SnapToGrid || m_options.AutoArrange) {
    const DWORD snap = m_options.SnapToGrid ? DWORD{FWF_SNAPTOGRID} : 0;
    const DWORD arrange = m_options.AutoArrange ? DWORD{FWF_AUTOARRANGE} : 0;
    SetFlags(FWF_SNAPTOGRID | FWF_AUTOARRANGE, snap | arrange);
  }
  SetTimer(m_view, kFolderWatchTimer, kFolderWatchMs, nullptr);
  m_objects = ShellObjects::Register(*this);
  return m_objects != nullptr;
}

// A file that comes or goes refreshes the view, as the shell's desktop
// follows its folder. The folder is listed again on a timer: change
// notifications do not reach every file system Wine runs on.
bool WindowsShell::FolderChanged() const {
  const std::vector<FolderItem> now = DesktopFolderItems();
  return !std::equal(now.begin(), now.end(), m_items.begin(), m_items.end(),
                     [](const FolderItem& a, const FolderItem& b) { return a.Key == b.Key; });
}

void WindowsShell::OnTimer(UINT_PTR timer) {
  if (timer == kFolderWatchTimer && FolderChanged()) {
    Refresh();
  } else if (timer == kShownLateTimer) {
    KillTimer(m_view, kShownLateTimer);
    const std::vector<std::size_t> late = std::move(m_shownLate);
    m_shownLate.clear();
    ShowPlaces(late);
  }
}

bool WindowsShell::HasFault(const wchar_t* fault) const {
  return std::find(m_options.Faults.begin(), m_options.Faults.end(), fault) !=
         m_options.Faults.end();
}

bool WindowsShell::AnswersNoDesktopYet() {
  return HasFault(kFaultNoDesktopAtFirst) && m_windowListCalls++ < kNoDesktopCalls;
}

std::optional<std::size_t> WindowsShell::Find(const ITEMIDLIST* id) const {
  for (std::size_t i = 0; i < m_items.size(); ++i) {
    if (SameItemId(m_items[i].Id.get(), id)) return i;
  }
  return std::nullopt;
}

SIZE WindowsShell::Spacing() const {
  const auto spacing = static_cast<DWORD>(SendMessageW(m_list, LVM_GETITEMSPACING, FALSE, 0));
  return {LOWORD(spacing), HIWORD(spacing)};
}

// The list view's own styles follow the view's flags, as the shell's view
// keeps them.
void WindowsShell::SetFlags(DWORD mask, DWORD flags) {
  m_model.SetFlags(mask, flags);
  OwnWork::Scope own(m_ownWork);
  const DWORD now = m_model.Flags();
  ListView_SetExtendedListViewStyleEx(m_list, LVS_EX_SNAPTOGRID,
                                      (now & FWF_SNAPTOGRID) != 0 ? LVS_EX_SNAPTOGRID : 0);
  const LONG_PTR style = GetWindowLongPtrW(m_list, GWL_STYLE);
  SetWindowLongPtrW(m_list, GWL_STYLE,
                    (now & FWF_AUTOARRANGE) != 0 ? style | LVS_AUTOARRANGE
                                                 : style & ~static_cast<LONG_PTR>(LVS_AUTOARRANGE));
  if ((mask & FWF_AUTOARRANGE) != 0) {
    std::vector<std::size_t> all(m_items.size());
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
    ShowPlaces(all);
  }
}

HRESULT WindowsShell::SelectAndPosition(UINT count, const ITEMIDLIST* const* ids,
                                        const POINT* places, DWORD flags) {
  if (HasFault(kFaultPlaceDenied)) return E_ACCESSDENIED;
  // Reached only when the message filter let a call through that it should
  // have turned away.
  if (HasFault(kFaultPlaceBusy)) return RPC_E_SERVERCALL_RETRYLATER;
  // A call that outlasts every caller's patience, then comes to nothing.
  if (HasFault(kFaultPlaceHangs)) {
    Sleep(kHangsMs);
    return E_FAIL;
  }
  if (HasFault(kFaultPlaceLate)) Sleep(kAnswersLateMs);
  if (count > 0 && ids == nullptr) return E_INVALIDARG;
  OwnWork::Scope own(m_ownWork);
  if ((flags & SVSI_DESELECTOTHERS) != 0) ListView_SetItemState(m_list, -1, 0, LVIS_SELECTED);
  std::vector<std::size_t> placed;
  for (UINT i = 0; i < count; ++i) {
    const std::optional<std::size_t> item = Find(ids[i]);
    if (!item) continue;
    const int index = static_cast<int>(*item);
    if ((flags & SVSI_POSITIONITEM) != 0 && places != nullptr) {
      POINT wanted = places[i];
      if ((flags & SVSI_TRANSLATEPT) != 0) {
        POINT origin{};
        ScreenToClient(m_list, &wanted);
        ListView_GetOrigin(m_list, &origin);
        wanted.x += origin.x;
        wanted.y += origin.y;
      }
      m_model.Place(*item, wanted);
      placed.push_back(*item);
    }
    // SVSI_DESELECT is 0: an item not asked to be selected ends deselected.
    ListView_SetItemState(m_list, index, (flags & SVSI_SELECT) != 0 ? LVIS_SELECTED : 0,
                          LVIS_SELECTED);
    if ((flags & SVSI_FOCUSED) != 0)
      ListView_SetItemState(m_list, index, LVIS_FOCUSED, LVIS_FOCUSED);
    if ((flags & SVSI_ENSUREVISIBLE) != 0) ListView_EnsureVisible(m_list, index, FALSE);
  }
  if ((flags & SVSI_NOTAKEFOCUS) == 0) {
    SetForegroundWindow(GetAncestor(m_view, GA_ROOT));
    SetFocus(m_list);
  }
  if (HasFault(kFaultPlacesShowLate)) {
    m_shownLate.insert(m_shownLate.end(), placed.begin(), placed.end());
    SetTimer(m_view, kShownLateTimer, kShownLateMs, nullptr);
  } else {
    ShowPlaces(placed);
  }
  return S_OK;
}

void WindowsShell::ShowPlaces(const std::vector<std::size_t>& items) {
  OwnWork::Scope own(m_ownWork);
  for (const std::size_t item : items) {
    POINT place = m_model.PlaceOf(item);
    SendMessageW(m_list, LVM_SETITEMPOSITION32, item, reinterpret_cast<LPARAM>(&place));
  }
}

void WindowsShell::Refresh() {
  const std::vector<DemoItem> items = ReadFolder();
  OwnWork::Scope own(m_ownWork);
  SendMessageW(m_list, LVM_DELETEALLITEMS, 0, 0);
  FillListView(m_list, items, false);
}

bool WindowsShell::SaveState() const {
  return m_options.ViewStateFile.empty() ||
         ReplaceWholeFile(m_options.ViewStateFile, m_model.Save());
}

}  // namespace icotrace::demo
