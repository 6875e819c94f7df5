#include "icon_drag.h"

namespace icotrace::demo {

void IconDrag::Begin(HWND list, HWND captureWindow, int item, POINT start) {
  Cancel();
  m_list = list;
  m_capture = captureWindow;
  m_start = start;
  POINT origin{};
  m_image = ListView_CreateDragImage(list, item, &origin);
  if (m_image != nullptr) {
    ImageList_BeginDrag(m_image, 0, start.x - origin.x, start.y - origin.y);
    ImageList_DragEnter(list, start.x, start.y);
  }
  SetCapture(captureWindow);
}

POINT IconDrag::ToList(POINT point) const {
  MapWindowPoints(m_capture, m_list, &point, 1);
  return point;
}

void IconDrag::Follow(POINT point) {
  if (!Active() || m_image == nullptr) return;
  const POINT at = ToList(point);
  ImageList_DragMove(at.x, at.y);
}

void IconDrag::Drop(POINT point) {
  if (!Active()) return;
  const POINT at = ToList(point);
  const int dx = at.x - m_start.x;
  const int dy = at.y - m_start.y;
  HWND list = m_list;
  End();
  for (int i = ListView_GetNextItem(list, -1, LVNI_SELECTED); i >= 0;
       i = ListView_GetNextItem(list, i, LVNI_SELECTED)) {
    POINT position{};
    ListView_GetItemPosition(list, i, &position);
    POINT moved{position.x + dx, position.y + dy};
    SendMessageW(list, LVM_SETITEMPOSITION32, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(&moved));
  }
  InvalidateRect(list, nullptr, TRUE);
}

void IconDrag::Cancel() {
  if (Active()) End();
}

void IconDrag::End() {
  if (m_image != nullptr) {
    ImageList_DragLeave(m_list);
    ImageList_EndDrag();
    ImageList_Destroy(m_image);
    m_image = nullptr;
  }
  m_list = nullptr;  // before the release, whose WM_CAPTURECHANGED comes back here
  if (GetCapture() == m_capture) ReleaseCapture();
  m_capture = nullptr;
}

}  // namespace icotrace::demo
