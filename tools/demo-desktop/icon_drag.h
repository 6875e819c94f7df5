// Moving icons with the mouse, as on a desktop: the list view only announces
// the drag (LVN_BEGINDRAG); its parent follows the mouse and places the
// selected items where they are dropped.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace icotrace::demo {

class IconDrag {
 public:
  // start is in the list view's client coordinates; the mouse is captured
  // for captureWindow from here on.
  void Begin(HWND list, HWND captureWindow, int item, POINT start);
  // points in captureWindow's client coordinates
  void Follow(POINT point);
  void Drop(POINT point);
  void Cancel();
  bool Active() const { return m_list != nullptr; }

 private:
  POINT ToList(POINT point) const;
  void End();

  HWND m_list = nullptr;
  HWND m_capture = nullptr;
  HIMAGELIST m_image = nullptr;
  POINT m_start{};
};

}  // namespace icotrace::demo
