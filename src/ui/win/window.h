// The base of every window of the program: a static window procedure that
// finds the object (stored at WM_NCCREATE) and lets no exception through. A
// CommandError is shown here, in one place, and the program goes on. The
// base keeps the window's DPI and lays the window out again when it changes.
#pragma once

#include <windows.h>

#include <functional>

namespace icotrace {

// What a window class shows: icons, background, pointer.
struct WindowClassLooks {
  HICON Icon = nullptr;
  HICON SmallIcon = nullptr;
  HBRUSH Background = nullptr;
  HCURSOR Cursor = nullptr;
};

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND Handle() const { return m_window; }
  // The DPI the window was last laid out for; 0 before the first lay-out.
  UINT Dpi() const { return m_dpi; }

 protected:
  // Registers the class once per process; later calls are no-ops.
  static void RegisterWindowClass(HINSTANCE instance, const wchar_t* className,
                                  const WindowClassLooks& looks);
  // Creates the window for this object; throws when the system refuses.
  void CreateWindowObject(HINSTANCE instance, const wchar_t* className, DWORD style, DWORD exStyle,
                          HWND parent, UINT_PTR childId);
  // Destroys the window now. Derived classes call it first in their
  // destructor, so that no message reaches half-destroyed members.
  void Destroy();

  // Takes dpi as the window's and lays the window out for it.
  void SetDpi(UINT dpi);
  // Centres the window over around, kept on the work area of around's
  // monitor; laid out again when it lands on a monitor of another DPI.
  void CentreOn(const RECT& around);

  // Positions, sizes, fonts and pictures for dpi; the client size too.
  virtual void LayOut(UINT /*dpi*/) {}
  // What a derived class does not handle comes here: WM_DPICHANGED is
  // handled for every window, the rest goes to DefWindowProcW.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND m_window = nullptr;
  UINT m_dpi = 0;
};

// Shows a failure to the user: a warning box with the program's caption.
void ShowFailure(HWND window, const wchar_t* text);

// Runs step as the window procedure runs a message: a CommandError is shown
// over window, any other failure as an unexpected one; nothing escapes.
void RunShowingFailure(HWND window, const std::function<void()>& step);

}  // namespace icotrace
