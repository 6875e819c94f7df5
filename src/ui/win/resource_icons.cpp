#include "ui/win/resource_icons.h"

#include "ui/resources/resource_ids.h"

namespace icotrace {

UniqueIcon LoadIconAt(HINSTANCE instance, int resourceId, int size) {
  return UniqueIcon(static_cast<HICON>(
      ::LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON, size, size, 0)));
}

HICON SharedIcon(HINSTANCE instance, int resourceId, bool small) {
  const int size = ::GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON);
  return static_cast<HICON>(
      ::LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON, size, size, LR_SHARED));
}

UniqueCursor LoadOwnCursor(HINSTANCE instance, int resourceId) {
  return UniqueCursor(static_cast<HCURSOR>(
      ::LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE)));
}

WindowClassLooks ProgramWindowLooks(HINSTANCE instance) {
  WindowClassLooks looks;
  looks.Icon = SharedIcon(instance, IDI_ICOTRACE, false);
  looks.SmallIcon = SharedIcon(instance, IDI_ICOTRACE, true);
  looks.Background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  return looks;
}

}  // namespace icotrace
