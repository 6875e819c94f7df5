#include "demo_desktop.h"

#include <windowsx.h>

#include "demo_protocol.h"
#include "icon_art.h"
#include "list_view_items.h"

namespace icotrace::demo {
namespace {

constexpr COLORREF kDesktopColour = RGB(32, 92, 138);
constexpr wchar_t kProgmanClass[] = L"Progman";
constexpr wchar_t kWorkerWClass[] = L"WorkerW";
constexpr wchar_t kViewClass[] = L"SHELLDLL_DefView";

DemoDesktop* Self(HWND window) {
  return reinterpret_cast<DemoDesktop*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Stores the object handed to CreateWindowExW in the window at WM_NCCREATE.
DemoDesktop* Attach(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self =
        static_cast<DemoDesktop*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    return self;
  }
  return Self(window);
}

RECT ScreenArea() {
  return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
          GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
          GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

}  // namespace

DemoDesktop::DemoDesktop(const DemoOptions& options, std::vector<DemoItem> items)
    : m_options(options),
      m_items(std::move(items)),
      m_fault(options.ExitAfter, options.HangAfter),
      m_moves(options) {}

DemoDesktop::~DemoDesktop() {
  m_drag.Cancel();
  m_shellView.Destroy();  // while its parent window exists
  for (HWND window : {m_workerW, m_progman}) {
    if (window != nullptr && IsWindow(window)) DestroyWindow(window);
  }
  // The list view shares its image lists (as the shell's does): they are ours.
  if (m_small != nullptr) ImageList_Destroy(m_small);
  if (m_normal != nullptr) ImageList_Destroy(m_normal);
  if (m_background != nullptr) DeleteObject(m_background);
}

HWND DemoDesktop::CreateTopLevel(const wchar_t* className, const wchar_t* title, bool visible) {
  const RECT area = ScreenArea();
  const DWORD style = WS_POPUP | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0);
  return CreateWindowExW(WS_EX_TOOLWINDOW, className, title, style, area.left, area.top,
                         area.right - area.left, area.bottom - area.top, nullptr, nullptr,
                         m_instance, this);
}

HWND DemoDesktop::CreateChild(const wchar_t* className, HWND parent, const wchar_t* title,
                              DWORD style) {
  RECT client{};
  GetClientRect(parent, &client);
  return CreateWindowExW(0, className, title, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0,
                         client.right, client.bottom, parent, nullptr, m_instance, this);
}

bool DemoDesktop::Create(HINSTANCE instance) {
  m_instance = instance;
  m_background = CreateSolidBrush(kDesktopColour);
  m_scrambleMessage = RegisterWindowMessageW(kScrambleMessage);
  m_outsideMovesMessage = RegisterWindowMessageW(kOutsideMovesMessage);
  m_refreshMessage = RegisterWindowMessageW(kRefreshMessage);
  if (m_options.WindowsShell) {
    m_windowsShell = std::make_unique<WindowsShell>(m_options, m_ownWork);
    m_items = m_windowsShell->ReadFolder();
  }
  WNDCLASSEXW topLevel{};
  topLevel.cbSize = sizeof topLevel;
  topLevel.lpfnWndProc = TopLevelProc;
  topLevel.hInstance = instance;
  topLevel.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  topLevel.hbrBackground = m_background;
  for (const wchar_t* name : {kProgmanClass, kWorkerWClass}) {
    topLevel.lpszClassName = name;
    RegisterClassExW(&topLevel);
  }
  // The shell registers its own view class.
  const bool ownView = m_options.ShellViewFolder.empty();
  if (ownView) {
    WNDCLASSEXW view = topLevel;
    view.lpfnWndProc = ViewProc;
    view.lpszClassName = kViewClass;
    RegisterClassExW(&view);
  }

  // Shown only once they hold their items: whoever finds "Progman" visible
  // finds a desktop ready.
  m_progman = CreateTopLevel(kProgmanClass, L"Program Manager", false);
  if (m_progman == nullptr) return false;
  HWND viewParent = m_progman;
  if (m_options.WorkerW) {
    // As after "show desktop" on current Windows: Progman keeps an empty
    // first child, the view hangs under a WorkerW of its own, and an empty,
    // hidden WorkerW comes first when the top-level windows are walked.
    CreateChild(kWorkerWClass, m_progman, L"", 0);
    m_workerW = CreateTopLevel(kWorkerWClass, L"", false);
    CreateTopLevel(kWorkerWClass, L"", false);
    if (m_workerW == nullptr) return false;
    viewParent = m_workerW;
  }
  if (ownView ? !CreateOwnView(viewParent)
              : !m_shellView.Create(viewParent, m_options.ShellViewFolder)) {
    return false;
  }
  if (!ownView) {
    m_view = m_shellView.View();
    m_list = m_shellView.ListView();
    OwnWork::Scope own(m_ownWork);
    PaintOnce(m_list);  // the shell's items settle before anyone reads them
  }
  ListView_SetBkColor(m_list, kDesktopColour);
  ListView_SetTextBkColor(m_list, CLR_NONE);
  ListView_SetTextColor(m_list, RGB(255, 255, 255));
  SetWindowSubclass(m_list, ListProc, 1, reinterpret_cast<DWORD_PTR>(this));
  m_moves.Prepare(m_list);
  if (m_windowsShell && !m_windowsShell->Serve(m_view, m_list)) return false;
  ShowWindow(m_progman, SW_SHOWNA);
  if (m_workerW != nullptr) ShowWindow(m_workerW, SW_SHOWNA);
  SetWindowPos(m_progman, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetForegroundWindow(m_workerW != nullptr ? m_workerW : m_progman);
  SetFocus(m_list);
  return true;
}

bool DemoDesktop::CreateOwnView(HWND parent) {
  m_view = CreateChild(kViewClass, parent, L"", WS_CLIPCHILDREN);
  m_list = CreateChild(WC_LISTVIEWW, m_view, L"FolderView",
                       LVS_ICON | LVS_SHAREIMAGELISTS | LVS_NOSCROLL);
  if (m_view == nullptr || m_list == nullptr) return false;
  m_small = CreateDemoImageList(16);
  m_normal = CreateDemoImageList(32);
  ListView_SetImageList(m_list, m_small, LVSIL_SMALL);
  ListView_SetImageList(m_list, m_normal, LVSIL_NORMAL);
  OwnWork::Scope own(m_ownWork);
  FillListView(m_list, m_items, m_options.CallbackText);
  return true;
}

bool DemoDesktop::Dump(const std::wstring& path) {
  OwnWork::Scope own(m_ownWork);
  return WriteDump(m_list, path);
}

std::int32_t DemoDesktop::Scramble(std::uint32_t seed) {
  OwnWork::Scope own(m_ownWork);
  return ScrambleListView(m_list, seed != 0 ? seed : m_nextSeed++);
}

int DemoDesktop::Run() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

void DemoDesktop::KeepAtBottom(HWND window, WINDOWPOS& position) const {
  if ((position.flags & SWP_NOZORDER) != 0) return;
  if (window == m_progman) {
    position.hwndInsertAfter = HWND_BOTTOM;
    return;
  }
  // The WorkerW holding the view stays right above Progman.
  HWND above = GetWindow(m_progman, GW_HWNDPREV);
  if (above == window) {
    position.flags |= SWP_NOZORDER;
  } else {
    position.hwndInsertAfter = above != nullptr ? above : HWND_TOP;
  }
}

LRESULT CALLBACK DemoDesktop::TopLevelProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  DemoDesktop* self = Attach(window, message, lParam);
  return self != nullptr ? self->OnTopLevel(window, message, wParam, lParam)
                         : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT DemoDesktop::OnTopLevel(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == m_scrambleMessage && m_scrambleMessage != 0) {
    return Scramble(static_cast<std::uint32_t>(wParam));
  }
  if (message == m_outsideMovesMessage && m_outsideMovesMessage != 0) return m_outsideMoves;
  if (message == m_refreshMessage && m_refreshMessage != 0 && m_windowsShell) {
    m_windowsShell->Refresh();
    return 1;
  }
  switch (message) {
    case WM_COPYDATA: {
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      if (data == nullptr || data->dwData != kDumpRequest || data->lpData == nullptr) return 0;
      std::wstring path(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
      path.resize(wcsnlen(path.c_str(), path.size()));
      return Dump(path) ? 1 : 0;
    }
    case WM_WINDOWPOSCHANGING:
      if (window == m_progman || window == m_workerW) {
        KeepAtBottom(window, *reinterpret_cast<WINDOWPOS*>(lParam));
      }
      return 0;
    case WM_SETFOCUS:
      if (m_list != nullptr) SetFocus(m_list);
      return 0;
    case WM_CLOSE:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

LRESULT CALLBACK DemoDesktop::ViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DemoDesktop* self = Attach(window, message, lParam);
  return self != nullptr ? self->OnView(window, message, wParam, lParam)
                         : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT DemoDesktop::OnView(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_SIZE:
      if (m_list != nullptr) MoveWindow(m_list, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_NOTIFY:
      return OnListNotify(*reinterpret_cast<NMHDR*>(lParam));
    case WM_MOUSEMOVE:
      m_drag.Follow(point);
      return 0;
    case WM_LBUTTONUP:
      m_drag.Drop(point);
      return 0;
    case WM_CAPTURECHANGED:
      m_drag.Cancel();
      return 0;
    case WM_TIMER:
      if (m_windowsShell) m_windowsShell->OnTimer(wParam);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

LRESULT DemoDesktop::OnListNotify(NMHDR& header) {
  if (header.hwndFrom != m_list) return 0;
  if (header.code == LVN_GETDISPINFOW) {
    CopyCaptionOnRequest(reinterpret_cast<NMLVDISPINFOW&>(header), m_items);
    return 0;
  }
  if (header.code == LVN_BEGINDRAG) {
    const auto& drag = reinterpret_cast<const NMLISTVIEW&>(header);
    m_drag.Begin(m_list, m_view, drag.iItem, drag.ptAction);
  } else if (header.code == LVN_KEYDOWN) {
    const WORD key = reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey;
    if (key == 'M') Scramble(0);  // "mélanger", as an installer would
    if (key == VK_F5 && m_windowsShell) m_windowsShell->Refresh();
    if (key == 'R') {  // back to the starting places
      OwnWork::Scope own(m_ownWork);
      PlaceItems(m_list, m_items);
    }
  }
  return 0;
}

LRESULT CALLBACK DemoDesktop::ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR self) {
  auto* desktop = reinterpret_cast<DemoDesktop*>(self);
  if (!desktop->m_ownWork.Running()) {
    desktop->m_fault.Observe(message);
    if (message == LVM_SETITEMPOSITION || message == LVM_SETITEMPOSITION32)
      ++desktop->m_outsideMoves;
    // The emulation's own questions to the control pass straight through.
    OwnWork::Scope own(desktop->m_ownWork);
    const std::optional<LRESULT> answer =
        desktop->m_moves.Intercept(window, message, wParam, lParam);
    if (answer) return *answer;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace icotrace::demo
