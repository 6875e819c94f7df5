#include "platform/win32_desktop_folder_view.h"

#include <windows.h>
#include <exdisp.h>
#include <shlguid.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include "platform/com_call_deadline.h"

namespace icotrace {

using Microsoft::WRL::ComPtr;

namespace {

// As long as a message to the list view may take: a shell that does not
// answer within it is taken as hung, and the apply goes on without it.
constexpr DWORD kShellCallLimitMs = 5000;

// An item identifier list that the shell allocated for us.
struct ItemIdDeleter {
  void operator()(ITEMID_CHILD* id) const { ::CoTaskMemFree(id); }
};
using UniqueItemId = std::unique_ptr<ITEMID_CHILD, ItemIdDeleter>;

// COM for the calling thread, apartment-threaded as the window's thread
// wants it; balanced only when this call started it.
class ComApartment {
 public:
  ComApartment() : m_started(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (m_started) ::CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool m_started;
};

// The folder view of the desktop that shows listView: the shell may register
// a desktop of its own that is not the one the list view belongs to, and then
// foreign is set.
ComPtr<IFolderView> FindDesktopFolderView(HWND listView, bool& foreign) {
  ComPtr<IShellWindows> windows;
  if (FAILED(::CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_ALL,
                                IID_PPV_ARGS(windows.GetAddressOf())))) {
    return nullptr;
  }
  VARIANT desktop;
  ::VariantInit(&desktop);
  desktop.vt = VT_I4;
  desktop.lVal = CSIDL_DESKTOP;
  VARIANT none;
  ::VariantInit(&none);
  long window = 0;
  ComPtr<IDispatch> dispatch;
  // S_FALSE: no desktop window is registered.
  if (windows->FindWindowSW(&desktop, &none, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                            dispatch.GetAddressOf()) != S_OK ||
      !dispatch) {
    return nullptr;
  }
  ComPtr<IServiceProvider> services;
  ComPtr<IShellBrowser> browser;
  ComPtr<IShellView> view;
  ComPtr<IFolderView> folderView;
  if (FAILED(dispatch.As(&services)) ||
      FAILED(services->QueryService(SID_STopLevelBrowser, IID_PPV_ARGS(browser.GetAddressOf()))) ||
      FAILED(browser->QueryActiveShellView(view.GetAddressOf()))) {
    return nullptr;
  }
  HWND viewWindow = nullptr;
  if (FAILED(view->GetWindow(&viewWindow)) || viewWindow == nullptr) return nullptr;
  foreign = ::GetParent(listView) != viewWindow;
  if (foreign || FAILED(view.As(&folderView))) return nullptr;
  return folderView;
}

}  // namespace

struct Win32DesktopFolderView::Session {
  ComApartment apartment;  // outlives every interface below
  // Over every call to the shell, the releases of the interfaces included.
  ComCallDeadline deadline{kShellCallLimitMs};
  ComPtr<IFolderView> view;
  ComPtr<IShellFolder> folder;
  std::vector<UniqueItemId> items;
};

Win32DesktopFolderView::Win32DesktopFolderView() = default;

Win32DesktopFolderView::~Win32DesktopFolderView() {
  Close();
}

// In the order the view shows them, so that the k-th entry of a caption goes
// to the k-th item bearing it, as through the list view.
constexpr UINT kItemsInViewOrder =
    static_cast<UINT>(SVGIO_ALLVIEW) | static_cast<UINT>(SVGIO_FLAG_VIEWORDER);

bool Win32DesktopFolderView::Open(WindowHandle listView) {
  Close();
  if (listView == m_foreignListView) return false;
  auto session = std::make_unique<Session>();
  bool foreign = false;
  session->view =
      FindDesktopFolderView(reinterpret_cast<HWND>(static_cast<UINT_PTR>(listView)), foreign);
  if (foreign) m_foreignListView = listView;
  if (!session->view) return false;
  ComPtr<IEnumIDList> ids;
  if (FAILED(session->view->GetFolder(IID_PPV_ARGS(session->folder.GetAddressOf()))) ||
      FAILED(session->view->Items(kItemsInViewOrder, IID_PPV_ARGS(ids.GetAddressOf())))) {
    return false;
  }
  for (;;) {
    PITEMID_CHILD id = nullptr;
    ULONG fetched = 0;
    if (ids->Next(1, &id, &fetched) != S_OK || fetched != 1) break;
    session->items.emplace_back(id);
  }
  m_session = std::move(session);
  return true;
}

std::vector<std::u16string> Win32DesktopFolderView::ItemNames() {
  std::vector<std::u16string> names;
  if (!m_session) return names;
  for (const UniqueItemId& id : m_session->items) {
    STRRET name{};
    PWSTR text = nullptr;
    std::u16string caption;
    if (SUCCEEDED(m_session->folder->GetDisplayNameOf(id.get(), SHGDN_NORMAL, &name)) &&
        SUCCEEDED(::StrRetToStrW(&name, id.get(), &text))) {
      caption.assign(reinterpret_cast<const char16_t*>(text));
      ::CoTaskMemFree(text);
    }
    names.push_back(std::move(caption));
  }
  return names;
}

bool Win32DesktopFolderView::PositionItems(const std::vector<ItemPlacement>& placements) {
  if (!m_session || placements.empty()) return false;
  std::vector<PCUITEMID_CHILD> ids;
  std::vector<POINT> points;
  for (const ItemPlacement& placement : placements) {
    if (placement.item >= m_session->items.size()) return false;
    ids.push_back(m_session->items[placement.item].get());
    points.push_back({placement.x, placement.y});
  }
  return SUCCEEDED(m_session->view->SelectAndPositionItems(
      static_cast<UINT>(ids.size()), ids.data(), points.data(), SVSI_POSITIONITEM));
}

void Win32DesktopFolderView::Close() {
  m_session.reset();
}

}  // namespace icotrace
