// A picture kept as its file's bytes among the program's resources (the GIF
// of the donation link), decoded by the system's own picture support.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include "platform/win/handles.h"

namespace icotrace {

class ResourcePicture {
 public:
  // An empty picture when the resource is missing or cannot be decoded.
  void Load(HINSTANCE instance, int resourceId);
  // Scales the picture into bounds; draws nothing when empty.
  void Render(HDC dc, const RECT& bounds) const;

 private:
  ComPtr<IPicture> m_picture;
};

}  // namespace icotrace
