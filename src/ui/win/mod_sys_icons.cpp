#include "ui/win/mod_sys_icons.h"

#include <commctrl.h>

#include "desktop/list_view_protocol.h"
#include "imagelist/interprocess_image_list.h"

namespace icotrace {

bool ModSysIcons::ImageKeyExists(const std::u16string& key) {
  return m_imageList1.IndexOf(key) >= 0;
}

bool ModSysIcons::AddDesktopIcon(const std::u16string& key, std::int32_t image) {
  const ComPtr<IPictureDisp> picture = DesktopIconPicture(image);
  if (!picture) return false;
  ComPtr<IPicture> pictured;
  OLE_HANDLE handle = 0;
  if (FAILED(picture->QueryInterface(IID_IPicture,
                                     reinterpret_cast<void**>(pictured.GetAddressOf()))) ||
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

ComPtr<IPictureDisp> ModSysIcons::DesktopIconPicture(std::int32_t image) {
  const WindowHandle listView = m_desktop.FindDesktopListView();
  if (listView == 0) return {};
  const std::optional<std::int64_t> imageList =
      m_api.SendMessageTimeoutW(listView, lv::kGetImageList, lv::kSmallImageList, 0);
  if (!imageList || *imageList == 0) return {};
  UniqueIcon icon(::GetIcon(reinterpret_cast<HWND>(static_cast<UINT_PTR>(listView)),
                            reinterpret_cast<HIMAGELIST>(static_cast<INT_PTR>(*imageList)), image));
  if (!icon) return {};
  ComPtr<IPictureDisp> picture = IconToPicture(icon.Get(), true);
  // A picture that took the icon destroys it; one no picture took is still ours.
  if (picture) icon.Release();
  return picture;
}

ComPtr<IPictureDisp> ModSysIcons::IconToPicture(HICON icon, bool own) {
  PICTDESC description{};
  description.cbSizeofstruct = sizeof description;
  description.picType = PICTYPE_ICON;
  description.icon.hicon = icon;
  ComPtr<IPictureDisp> picture;
  if (FAILED(::OleCreatePictureIndirect(&description, IID_IPictureDisp, own ? TRUE : FALSE,
                                        reinterpret_cast<void**>(picture.GetAddressOf())))) {
    return {};
  }
  return picture;
}

}  // namespace icotrace
