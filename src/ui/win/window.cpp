#include "ui/win/window.h"

#include <string>
#include <string_view>

#include "core/command_error.h"
#include "ui/app_info.h"
#include "ui/win/dpi.h"
#include "ui/win/wide_text.h"

namespace icotrace {
namespace {

constexpr std::u16string_view kUnexpectedFailure =
    u"Une erreur inattendue a interrompu l'opération.";
constexpr std::u16string_view kNoWindow = u"La fenêtre n'a pas pu être créée.";

// What a message returns when its handling failed: creation is refused.
LRESULT FailedResult(UINT message) {
  if (message == WM_NCCREATE) return FALSE;
  if (message == WM_CREATE) return -1;
  return 0;
}

}  // namespace

Window::~Window() {
  Destroy();
}

void Window::RegisterWindowClass(HINSTANCE instance, const wchar_t* className,
                                 const WindowClassLooks& looks) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExW(instance, className, &existing)) return;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &Window::WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = looks.Icon;
  windowClass.hIconSm = looks.SmallIcon;
  windowClass.hbrBackground = looks.Background;
  windowClass.hCursor = looks.Cursor != nullptr ? looks.Cursor : ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = className;
  if (::RegisterClassExW(&windowClass) == 0) throw CommandError(std::u16string(kNoWindow));
}

void Window::CreateWindowObject(HINSTANCE instance, const wchar_t* className, DWORD style,
                                DWORD exStyle, HWND parent, UINT_PTR childId) {
  const HWND window =
      ::CreateWindowExW(exStyle, className, L"", style, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, parent,
                        reinterpret_cast<HMENU>(childId), instance, this);
  if (window == nullptr) throw CommandError(std::u16string(kNoWindow));
}

void Window::Destroy() {
  if (m_window == nullptr) return;
  const HWND window = m_window;
  // From here on the window's messages no longer reach this object.
  ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  m_window = nullptr;
  ::DestroyWindow(window);
}

void Window::SetDpi(UINT dpi) {
  m_dpi = dpi;
  LayOut(dpi);
}

void Window::CentreOn(const RECT& around) {
  RECT window{};
  ::GetWindowRect(m_window, &window);
  const POINT corner =
      CentredPosition(around, {window.right - window.left, window.bottom - window.top},
                      ::MonitorFromRect(&around, MONITOR_DEFAULTTONEAREST));
  ::SetWindowPos(m_window, nullptr, corner.x, corner.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (const UINT dpi = WindowDpi(m_window); dpi != m_dpi) SetDpi(dpi);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DPICHANGED) {
    SetDpi(HIWORD(wParam));
    MoveToSuggested(m_window, lParam);
    return 0;
  }
  return ::DefWindowProcW(m_window, message, wParam, lParam);
}

LRESULT CALLBACK Window::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->m_window = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Window*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  if (self == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);

  LRESULT result = FailedResult(message);
  RunShowingFailure(window, [&] { result = self->HandleMessage(message, wParam, lParam); });
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->m_window = nullptr;
  }
  return result;
}

void RunShowingFailure(HWND window, const std::function<void()>& step) {
  try {
    step();
  } catch (const CommandError& error) {
    ShowFailure(window, Wide(error.Message()).c_str());
  } catch (...) {
    ShowFailure(window, Wide(kUnexpectedFailure).c_str());
  }
}

void ShowFailure(HWND window, const wchar_t* text) {
  const HWND owner = window != nullptr ? ::GetAncestor(window, GA_ROOT) : nullptr;
  ::MessageBoxW(owner, text, Wide(ApplicationTitle).c_str(), MB_OK | MB_ICONWARNING);
}

}  // namespace icotrace
