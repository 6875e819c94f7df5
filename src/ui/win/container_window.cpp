#include "ui/win/container_window.h"

#include <uxtheme.h>
#include <vssym32.h>

namespace icotrace {
namespace {

constexpr wchar_t kFrameClass[] = L"IcotraceFrame";
constexpr wchar_t kPanelClass[] = L"IcotracePanel";

bool IsForwarded(UINT message) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
      return true;
    default:
      return false;
  }
}

}  // namespace

ContainerWindow::~ContainerWindow() {
  Destroy();
}

void ContainerWindow::Create(HINSTANCE instance, HWND parent, UINT_PTR childId, Looks looks) {
  m_looks = looks;
  const bool frame = looks == Looks::Frame;
  const wchar_t* className = frame ? kFrameClass : kPanelClass;
  WindowClassLooks classLooks;
  classLooks.Background = frame ? reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)
                                : static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
  RegisterWindowClass(instance, className, classLooks);
  // The panels have the sunken single border of a picture box; the frame
  // draws its own etched line.
  CreateWindowObject(instance, className, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                     WS_EX_CONTROLPARENT | (frame ? 0 : WS_EX_CLIENTEDGE), parent, childId);
}

LRESULT ContainerWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsForwarded(message)) return ::SendMessageW(::GetParent(Handle()), message, wParam, lParam);
  if (message == WM_PAINT && m_looks == Looks::Frame) {
    PaintFrame();
    return 0;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

void ContainerWindow::PaintFrame() {
  PAINTSTRUCT paint;
  const HDC dc = ::BeginPaint(Handle(), &paint);
  RECT bounds;
  ::GetClientRect(Handle(), &bounds);
  if (const HTHEME theme = ::OpenThemeData(Handle(), L"Button")) {
    ::DrawThemeBackground(theme, dc, BP_GROUPBOX, GBS_NORMAL, &bounds, nullptr);
    ::CloseThemeData(theme);
  } else {
    ::DrawEdge(dc, &bounds, EDGE_ETCHED, BF_RECT);
  }
  ::EndPaint(Handle(), &paint);
}

}  // namespace icotrace
