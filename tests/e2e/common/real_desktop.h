// The desktop access as the program wires it: modCommon over the real
// Win32Api, with the desktop's folder view tried first by an apply.
#pragma once

#include "desktop/mod_common.h"
#include "platform/win32_api.h"
#include "platform/win32_desktop_folder_view.h"

namespace icotrace::e2e {

struct RealDesktop {
  Win32Api Api;
  Win32DesktopFolderView FolderView;
  modCommon Common{Api, &FolderView};
};

}  // namespace icotrace::e2e
