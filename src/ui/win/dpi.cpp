#include "ui/win/dpi.h"

#include <algorithm>

#include "platform/win/handles.h"

namespace icotrace {
namespace {

// Newer than the oldest Windows the program runs on: looked up at run time.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

template <typename Function>
Function User32Function(const char* name) {
  const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(user32, name)));
}

UINT SystemDpi() {
  const WindowDc screen(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
  return dpi > 0 ? static_cast<UINT>(dpi) : kDefaultDpi;
}

SIZE OuterSize(PixelSize client, DWORD style, DWORD exStyle, UINT dpi) {
  static const auto adjustForDpi =
      User32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
  RECT rect{0, 0, client.Width, client.Height};
  if (adjustForDpi == nullptr || !adjustForDpi(&rect, style, FALSE, exStyle, dpi)) {
    rect = {0, 0, client.Width, client.Height};
    ::AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  }
  return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

UINT WindowDpi(HWND window) {
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (getDpiForWindow != nullptr) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi != 0) return dpi;
  }
  return SystemDpi();
}

void SetClientSize(HWND window, PixelSize client, UINT dpi) {
  const auto style = static_cast<DWORD>(::GetWindowLongW(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(::GetWindowLongW(window, GWL_EXSTYLE));
  SIZE outer = OuterSize(client, style, exStyle, dpi);
  const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  ::SetWindowPos(window, nullptr, 0, 0, outer.cx, outer.cy, flags);
  // The frame drawn may differ from the one computed (a DPI change in
  // progress, a theme): the client area is what must be exact.
  RECT actual{};
  ::GetClientRect(window, &actual);
  if (actual.right == client.Width && actual.bottom == client.Height) return;
  outer.cx += client.Width - actual.right;
  outer.cy += client.Height - actual.bottom;
  ::SetWindowPos(window, nullptr, 0, 0, outer.cx, outer.cy, flags);
}

POINT CentredPosition(const RECT& around, SIZE size, HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  RECT area = around;
  if (monitor != nullptr && ::GetMonitorInfoW(monitor, &info)) area = info.rcWork;
  LONG left = around.left + (around.right - around.left - size.cx) / 2;
  LONG top = around.top + (around.bottom - around.top - size.cy) / 2;
  // Never off the work area, and the title bar above all.
  left = std::max(area.left, std::min(left, area.right - size.cx));
  top = std::max(area.top, std::min(top, area.bottom - size.cy));
  return {left, top};
}

void MoveToSuggested(HWND window, LPARAM suggestedRect) {
  const RECT* suggested = reinterpret_cast<const RECT*>(suggestedRect);
  ::SetWindowPos(window, nullptr, suggested->left, suggested->top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaceWindow(HWND window, const PixelRect& rect) {
  ::SetWindowPos(window, nullptr, rect.Left, rect.Top, rect.Width, rect.Height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace icotrace
