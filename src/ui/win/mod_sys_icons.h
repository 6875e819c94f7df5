// modSysIcons: the desktop's own icons for the rows of ListView1, fetched
// from the shell through InterprocessImageList.dll, each wrapped into a
// picture object that owns it, and kept in ImageList1 under its key.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstdint>

#include "desktop/mod_common.h"
#include "platform/win/handles.h"
#include "platform/win_api.h"
#include "ui/icon_images.h"
#include "ui/win/keyed_image_list.h"

namespace icotrace {

class ModSysIcons final : public IconImageCache {
 public:
  ModSysIcons(modCommon& desktop, WinApi& api, KeyedImageList& imageList1)
      : m_desktop(desktop), m_api(api), m_imageList1(imageList1) {}

  bool ImageKeyExists(const std::u16string& key) override;
  bool AddDesktopIcon(const std::u16string& key, std::int32_t image) override;
  void UninstallHook() override;

  // The picture of the desktop's small icon at image; empty when the shell
  // or the fetch fails.
  ComPtr<IPictureDisp> DesktopIconPicture(std::int32_t image);
  // Wraps icon into a picture object; with own, the picture destroys the
  // icon when its last reference goes. Empty when the wrapping fails.
  static ComPtr<IPictureDisp> IconToPicture(HICON icon, bool own);

 private:
  modCommon& m_desktop;
  WinApi& m_api;
  KeyedImageList& m_imageList1;
};

}  // namespace icotrace
