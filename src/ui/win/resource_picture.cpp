#include "ui/win/resource_picture.h"

#include <objidl.h>
#include <shlwapi.h>

namespace icotrace {

void ResourcePicture::Load(HINSTANCE instance, int resourceId) {
  m_picture.Reset();
  const HRSRC found = ::FindResourceW(instance, MAKEINTRESOURCEW(resourceId), RT_RCDATA);
  if (found == nullptr) return;
  const DWORD size = ::SizeofResource(instance, found);
  const HGLOBAL loaded = ::LoadResource(instance, found);
  const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
  if (bytes == nullptr || size == 0) return;
  ComPtr<IStream> stream;
  stream.Attach(::SHCreateMemStream(static_cast<const BYTE*>(bytes), size));
  if (!stream) return;
  if (FAILED(::OleLoadPicture(stream.Get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(m_picture.ReleaseAndGetAddressOf()))))
    m_picture.Reset();
}

void ResourcePicture::Render(HDC dc, const RECT& bounds) const {
  if (!m_picture) return;
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  m_picture->get_Width(&width);
  m_picture->get_Height(&height);
  // The source rectangle runs upwards in HIMETRIC, hence the negative height.
  m_picture->Render(dc, bounds.left, bounds.top, bounds.right - bounds.left,
                    bounds.bottom - bounds.top, 0, height, width, -height, nullptr);
}

}  // namespace icotrace
