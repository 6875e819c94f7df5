#include "shell_objects.h"

#include <windows.h>
#include <commctrl.h>
#include <exdisp.h>
#include <servprov.h>
#include <shlguid.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "demo_protocol.h"
#include "shell_browser.h"
#include "windows_shell.h"

namespace icotrace::demo {
namespace {

// IUnknown for an object that lives as long as its owner.
#define ICOTRACE_OWNED_REFERENCES              \
  ULONG STDMETHODCALLTYPE AddRef() override {  \
    return 2;                                  \
  }                                            \
  ULONG STDMETHODCALLTYPE Release() override { \
    return 1;                                  \
  }

template <typename Interface>
HRESULT Hand(Interface* object, void** out) {
  *out = object;
  object->AddRef();
  return S_OK;
}

// The ID lists of the view's items, as IFolderView::Items hands them out.
class ItemIdEnumerator final : public IEnumIDList {
 public:
  explicit ItemIdEnumerator(std::vector<ItemId> ids) : m_ids(std::move(ids)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IEnumIDList) return Hand(this, object);
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --m_references;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE Next(ULONG count, PITEMID_CHILD* ids, ULONG* fetched) override {
    if (ids == nullptr || (fetched == nullptr && count != 1)) return E_POINTER;
    ULONG given = 0;
    for (; given < count && m_next < m_ids.size(); ++given, ++m_next) {
      ids[given] = CopyItemId(m_ids[m_next].get()).release();
    }
    if (fetched != nullptr) *fetched = given;
    return given == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    m_next = std::min<std::size_t>(m_ids.size(), m_next + count);
    return m_next < m_ids.size() ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    m_next = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumIDList** copy) override {
    if (copy == nullptr) return E_POINTER;
    std::vector<ItemId> ids;
    for (const ItemId& id : m_ids) ids.push_back(CopyItemId(id.get()));
    auto* clone = new ItemIdEnumerator(std::move(ids));
    clone->m_next = m_next;
    *copy = clone;
    return S_OK;
  }

 private:
  ~ItemIdEnumerator() = default;
  std::vector<ItemId> m_ids;
  std::size_t m_next = 0;
  ULONG m_references = 1;
};

class DesktopView final : public IShellView, public IFolderView2 {
 public:
  explicit DesktopView(WindowsShell& shell) : m_shell(shell) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IOleWindow || iid == IID_IShellView) {
      return Hand(static_cast<IShellView*>(this), object);
    }
    if (iid == IID_IFolderView || iid == IID_IFolderView2) {
      return Hand(static_cast<IFolderView2*>(this), object);
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ICOTRACE_OWNED_REFERENCES

  // IOleWindow: the SHELLDLL_DefView window, the list view's parent.
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
    if (window == nullptr) return E_POINTER;
    *window = m_shell.View();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IShellView
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*) override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE UIActivate(UINT) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Refresh() override {
    m_shell.Refresh();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE CreateViewWindow(IShellView*, LPCFOLDERSETTINGS, IShellBrowser*, RECT*,
                                             HWND*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DestroyViewWindow() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetCurrentInfo(LPFOLDERSETTINGS settings) override {
    if (settings == nullptr) return E_POINTER;
    settings->ViewMode = FVM_ICON;
    settings->fFlags = m_shell.Flags();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE AddPropertySheetPages(DWORD, LPFNSVADDPROPSHEETPAGE, LPARAM) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SaveViewState() override { return m_shell.SaveState() ? S_OK : E_FAIL; }
  HRESULT STDMETHODCALLTYPE SelectItem(PCUITEMID_CHILD id, SVSIF flags) override {
    return m_shell.SelectAndPosition(1, &id, nullptr, flags);
  }
  HRESULT STDMETHODCALLTYPE GetItemObject(UINT, REFIID, void** object) override {
    if (object != nullptr) *object = nullptr;
    return E_NOTIMPL;
  }

  // IFolderView
  HRESULT STDMETHODCALLTYPE GetCurrentViewMode(UINT* mode) override {
    if (mode == nullptr) return E_POINTER;
    *mode = FVM_ICON;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetCurrentViewMode(UINT mode) override {
    return mode == FVM_ICON ? S_OK : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetFolder(REFIID iid, void** folder) override {
    if (folder == nullptr) return E_POINTER;
    *folder = nullptr;
    Microsoft::WRL::ComPtr<IShellFolder> desktop;
    const HRESULT found = SHGetDesktopFolder(desktop.GetAddressOf());
    return FAILED(found) ? found : desktop->QueryInterface(iid, folder);
  }
  HRESULT STDMETHODCALLTYPE Item(int index, PITEMID_CHILD* id) override {
    if (id == nullptr) return E_POINTER;
    *id = nullptr;
    if (index < 0 || static_cast<std::size_t>(index) >= m_shell.Count()) return E_INVALIDARG;
    *id = CopyItemId(m_shell.IdOf(static_cast<std::size_t>(index))).release();
    return *id != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE ItemCount(UINT flags, int* count) override {
    if (count == nullptr) return E_POINTER;
    *count = static_cast<int>(Chosen(flags).size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Items(UINT flags, REFIID iid, void** items) override {
    if (items == nullptr) return E_POINTER;
    *items = nullptr;
    if (iid != IID_IEnumIDList && iid != IID_IUnknown) return E_NOINTERFACE;
    std::vector<ItemId> ids;
    for (const std::size_t item : Chosen(flags)) ids.push_back(CopyItemId(m_shell.IdOf(item)));
    *items = static_cast<IEnumIDList*>(new ItemIdEnumerator(std::move(ids)));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetSelectionMarkedItem(int* item) override {
    return Answer(item, ListView_GetSelectionMark(List()));
  }
  HRESULT STDMETHODCALLTYPE GetFocusedItem(int* item) override {
    return Answer(item, ListView_GetNextItem(List(), -1, LVNI_FOCUSED));
  }
  HRESULT STDMETHODCALLTYPE GetItemPosition(PCUITEMID_CHILD id, POINT* place) override {
    if (place == nullptr) return E_POINTER;
    const std::optional<std::size_t> item = m_shell.Find(id);
    if (!item) return E_INVALIDARG;
    *place = m_shell.PlaceOf(*item);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetSpacing(POINT* spacing) override {
    if (spacing == nullptr) return E_POINTER;
    const SIZE cell = m_shell.Spacing();
    *spacing = {cell.cx, cell.cy};
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDefaultSpacing(POINT* spacing) override {
    return GetSpacing(spacing);
  }
  HRESULT STDMETHODCALLTYPE GetAutoArrange() override {
    return (m_shell.Flags() & FWF_AUTOARRANGE) != 0 ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE SelectItem(int index, DWORD flags) override {
    if (index < 0 || static_cast<std::size_t>(index) >= m_shell.Count()) return E_INVALIDARG;
    const ITEMIDLIST* id = m_shell.IdOf(static_cast<std::size_t>(index));
    return m_shell.SelectAndPosition(1, &id, nullptr, flags);
  }
  HRESULT STDMETHODCALLTYPE SelectAndPositionItems(UINT count, PCUITEMID_CHILD_ARRAY ids,
                                                   POINT* places, DWORD flags) override {
    return m_shell.SelectAndPosition(count, ids, places, flags);
  }

  // IFolderView2: the folder flags; nothing else of it is used on a desktop.
  HRESULT STDMETHODCALLTYPE SetCurrentFolderFlags(DWORD mask, DWORD flags) override {
    m_shell.SetFlags(mask, flags);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCurrentFolderFlags(DWORD* flags) override {
    if (flags == nullptr) return E_POINTER;
    *flags = m_shell.Flags();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetGroupBy(REFPROPERTYKEY, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetGroupBy(PROPERTYKEY*, BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetViewProperty(PCUITEMID_CHILD, REFPROPERTYKEY,
                                            REFPROPVARIANT) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetViewProperty(PCUITEMID_CHILD, REFPROPERTYKEY,
                                            PROPVARIANT*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetTileViewProperties(PCUITEMID_CHILD, LPCWSTR) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetExtendedTileViewProperties(PCUITEMID_CHILD, LPCWSTR) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetText(FVTEXTTYPE, LPCWSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetSortColumnCount(int*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetSortColumns(const SORTCOLUMN*, int) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetSortColumns(SORTCOLUMN*, int) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetItem(int, REFIID, void** object) override {
    if (object != nullptr) *object = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetVisibleItem(int, BOOL, int*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetSelectedItem(int, int*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetSelection(BOOL, IShellItemArray** items) override {
    if (items != nullptr) *items = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetSelectionState(PCUITEMID_CHILD, DWORD*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE InvokeVerbOnSelection(LPCSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetViewModeAndIconSize(FOLDERVIEWMODE, int) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetViewModeAndIconSize(FOLDERVIEWMODE*, int*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetGroupSubsetCount(UINT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetGroupSubsetCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetRedraw(BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsMoveInSameFolder() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DoRename() override { return E_NOTIMPL; }

 private:
  HWND List() const { return FindWindowExW(m_shell.View(), nullptr, WC_LISTVIEWW, nullptr); }
  static HRESULT Answer(int* out, int item) {
    if (out == nullptr) return E_POINTER;
    *out = item;
    return item >= 0 ? S_OK : S_FALSE;
  }
  // The items that flags name (SVGIO_ALLVIEW or SVGIO_SELECTION), in view order.
  std::vector<std::size_t> Chosen(UINT flags) const {
    std::vector<std::size_t> items;
    const bool selection = (flags & SVGIO_TYPE_MASK) == SVGIO_SELECTION;
    for (std::size_t i = 0; i < m_shell.Count(); ++i) {
      if (!selection || ListView_GetItemState(List(), static_cast<int>(i), LVIS_SELECTED) != 0)
        items.push_back(i);
    }
    return items;
  }

  WindowsShell& m_shell;
};

// Stands for IDispatch where the shell gives automation objects; nothing of
// it is asked by a program that places icons.
#define ICOTRACE_NO_AUTOMATION                                                                    \
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {                              \
    if (count != nullptr) *count = 0;                                                             \
    return S_OK;                                                                                  \
  }                                                                                               \
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {                       \
    return E_NOTIMPL;                                                                             \
  }                                                                                               \
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {      \
    return E_NOTIMPL;                                                                             \
  }                                                                                               \
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, \
                                   UINT*) override {                                              \
    return E_NOTIMPL;                                                                             \
  }

// The desktop's browser, as the window list hands it out.
class DesktopBrowser final : public IDispatch, public IServiceProvider, public BrowserOfOneView {
 public:
  DesktopBrowser(WindowsShell& shell, DesktopView& view) : m_shell(shell), m_view(view) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch)
      return Hand(static_cast<IDispatch*>(this), object);
    if (iid == IID_IServiceProvider) return Hand(static_cast<IServiceProvider*>(this), object);
    if (iid == IID_IShellBrowser || iid == IID_IOleWindow) {
      return Hand(static_cast<IShellBrowser*>(this), object);
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ICOTRACE_OWNED_REFERENCES
  ICOTRACE_NO_AUTOMATION

  HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (service != SID_STopLevelBrowser && service != SID_SShellBrowser) return E_NOINTERFACE;
    return QueryInterface(iid, object);
  }

  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
    if (window == nullptr) return E_POINTER;
    *window = GetAncestor(m_shell.View(), GA_ROOT);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE QueryActiveShellView(IShellView** view) override {
    if (view == nullptr) return E_POINTER;
    return Hand(static_cast<IShellView*>(&m_view), reinterpret_cast<void**>(view));
  }

 private:
  WindowsShell& m_shell;
  DesktopView& m_view;
};

// The shell's list of windows: the desktop, and no other.
class WindowList final : public IShellWindows, public IClassFactory {
 public:
  WindowList(WindowsShell& shell, DesktopBrowser& browser) : m_shell(shell), m_browser(browser) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IShellWindows) {
      return Hand(static_cast<IShellWindows*>(this), object);
    }
    if (iid == IID_IClassFactory) return Hand(static_cast<IClassFactory*>(this), object);
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ICOTRACE_OWNED_REFERENCES
  ICOTRACE_NO_AUTOMATION

  // IClassFactory: every instance is the one list.
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    return QueryInterface(iid, object);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

  HRESULT STDMETHODCALLTYPE get_Count(LONG* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;  // the desktop is not among the browser windows listed
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Item(VARIANT, IDispatch** folder) override {
    if (folder != nullptr) *folder = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE _NewEnum(IUnknown** items) override {
    if (items != nullptr) *items = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Register(IDispatch*, LONG, int, LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE RegisterPending(LONG, VARIANT*, VARIANT*, int, LONG*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Revoke(LONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnNavigate(LONG, VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnActivated(LONG, VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE FindWindowSW(VARIANT*, VARIANT*, int windowClass, LONG* window,
                                         int options, IDispatch** found) override {
    if (found != nullptr) *found = nullptr;
    if (window != nullptr) *window = 0;
    // While the shell starts its desktop is not registered yet.
    if (windowClass != SWC_DESKTOP || m_shell.AnswersNoDesktopYet()) return S_FALSE;
    if (window != nullptr) {
      *window = static_cast<LONG>(reinterpret_cast<LONG_PTR>(GetAncestor(m_shell.View(), GA_ROOT)));
    }
    if ((options & SWFO_NEEDDISPATCH) == 0) return S_OK;
    if (found == nullptr) return E_POINTER;
    return Hand(static_cast<IDispatch*>(&m_browser), reinterpret_cast<void**>(found));
  }
  HRESULT STDMETHODCALLTYPE OnCreated(LONG, IUnknown*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ProcessAttachDetach(VARIANT_BOOL) override { return S_OK; }

 private:
  WindowsShell& m_shell;
  DesktopBrowser& m_browser;
};

// --fault place-busy: the placement calls are turned away as busy, as a
// shell in the middle of its own work turns them away.
class BusyPlacements final : public IMessageFilter {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IMessageFilter) return Hand(this, object);
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ICOTRACE_OWNED_REFERENCES

  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO call) override {
    constexpr WORD kSelectAndPositionItems = 16;  // in IFolderView's table
    const bool placement = call != nullptr &&
                           (call->iid == IID_IFolderView || call->iid == IID_IFolderView2) &&
                           call->wMethod == kSelectAndPositionItems;
    return placement ? SERVERCALL_RETRYLATER : SERVERCALL_ISHANDLED;
  }
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD, DWORD) override {
    return static_cast<DWORD>(-1);
  }
  DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override {
    return PENDINGMSG_WAITDEFPROCESS;
  }
};

class ServedObjects final : public ShellObjects {
 public:
  explicit ServedObjects(WindowsShell& shell)
      : m_view(shell), m_browser(shell, m_view), m_windows(shell, m_browser) {}
  ~ServedObjects() override {
    if (m_cookie != 0) CoRevokeClassObject(m_cookie);
    CoDisconnectObject(static_cast<IShellWindows*>(&m_windows), 0);
    CoDisconnectObject(static_cast<IDispatch*>(&m_browser), 0);
    CoDisconnectObject(static_cast<IShellView*>(&m_view), 0);
    if (m_filtering) {
      IMessageFilter* ours = nullptr;
      CoRegisterMessageFilter(m_previousFilter, &ours);
      if (m_previousFilter != nullptr) m_previousFilter->Release();
    }
  }

  bool Start(bool busy) {
    if (busy) m_filtering = SUCCEEDED(CoRegisterMessageFilter(&m_busy, &m_previousFilter));
    CLSID standIn{};
    return SUCCEEDED(CLSIDFromString(kStandInShellWindowsClsid, &standIn)) &&
           SUCCEEDED(CoRegisterClassObject(standIn, static_cast<IClassFactory*>(&m_windows),
                                           CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &m_cookie));
  }

 private:
  DesktopView m_view;
  DesktopBrowser m_browser;
  WindowList m_windows;
  BusyPlacements m_busy;
  IMessageFilter* m_previousFilter = nullptr;
  bool m_filtering = false;
  DWORD m_cookie = 0;
};

}  // namespace

std::unique_ptr<ShellObjects> ShellObjects::Register(WindowsShell& shell) {
  auto objects = std::make_unique<ServedObjects>(shell);
  if (!objects->Start(shell.HasFault(kFaultPlaceBusy))) return nullptr;
  return objects;
}

}  // namespace icotrace::demo
