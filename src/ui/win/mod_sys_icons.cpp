#include "ui/win/mod_sys_icons.h"

#include <commctrl.h>

#include "desktop/list_view_protocol.h"
#include "imagelist/interprocess_image_list.h"

namespace icotrace {

bool ModSysIcons::ImageKeyExists(const std::u16string& key) {
  return m_imageList1.IndexOf(key) >= 0;
}

bool ModSysIcons::AddDesktopIcon(const std::u16string& key, std::int32_t image) {
  const ComRef<IPictureDisp> picture = DesktopIconPicture(image);
  if (!picture) return false;
  ComRef<IPicture> pictured;
  OLE_HANDLE handle = 0;
  if (FAILED(picture->QueryInterface(IID_IPicture, reinterpret_cast<void**>(pictured.Put()))) ||
      FAILED(pictured->get_Handle(&handle))) {
    return false;
  }
  // ImageList1 keeps a copy; the picture destroys the icon when it goes.
  const HICON icon = reinterpret_cast<HICON>(static_cast<UINT_PTR>(handle));
  return m_imageList1.Add(key, icon) >= 0;
}

void ModSysIcons::UninstallHook() {
  ::UninstallHook();
}

ComRef<IPictureDisp> ModSysIcons::DesktopIconPicture(std::int32_t image) {
  const WindowHandle listView = m_desktop.FindDesktopListView();
  if (listView == 0) return {};
  const std::optional<std::int64_t> imageList =
      m_api.SendMessageTimeoutW(listView, lv::kGetImageList, lv::kSmallImageList, 0);
  if (!imageList || *imageList == 0) return {};
  const HICON icon =
      ::GetIcon(reinterpret_cast<HWND>(static_cast<UINT_PTR>(listView)),
                reinterpret_cast<HIMAGELIST>(static_cast<INT_PTR>(*imageList)), image);
  if (icon == nullptr) return {};
  ComRef<IPictureDisp> picture = IconToPicture(icon, true);
  // An icon no picture took is still ours to destroy.
  if (!picture) ::DestroyIcon(icon);
  return picture;
}

ComRef<IPictureDisp> ModSysIcons::IconToPicture(HICON icon, bool own) {
  PICTDESC description{};
  description.cbSizeofstruct = sizeof description;
  description.picType = PICTYPE_ICON;
  description.icon.hicon = icon;
  ComRef<IPictureDisp> picture;
  if (FAILED(::OleCreatePictureIndirect(&description, IID_IPictureDisp, own ? TRUE : FALSE,
                                        reinterpret_cast<void**>(picture.Put())))) {
    return {};
  }
  return picture;
}

}  // namespace icotrace
