#include "screen_bitmap.h"

#include <windows.h>

#include "demo_desktop_process.h"
#include "platform/win/handles.h"

namespace icotrace::e2e {

bool SaveScreenBitmap(const std::wstring& path) {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  const WindowDc screen(nullptr);
  const UniqueMemoryDc memory(CreateCompatibleDC(screen.Get()));
  const UniqueBitmap bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
  if (!memory || !bitmap) return false;
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 32;
  const DWORD headers = sizeof(BITMAPFILEHEADER) + sizeof info;
  std::string bytes(headers + std::size_t{4} * width * height, '\0');
  {
    const SelectedObject selected(memory.Get(), bitmap.Get());
    if (!BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), left, top, SRCCOPY | CAPTUREBLT))
      return false;
  }
  if (GetDIBits(memory.Get(), bitmap.Get(), 0, height, bytes.data() + headers,
                reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) != height)
    return false;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfSize = static_cast<DWORD>(bytes.size());
  file.bfOffBits = headers;
  bytes.replace(0, sizeof file, reinterpret_cast<const char*>(&file), sizeof file);
  bytes.replace(sizeof file, sizeof info, reinterpret_cast<const char*>(&info), sizeof info);
  try {
    WriteFileBytes(path, bytes);
  } catch (const E2eError&) {
    return false;
  }
  return true;
}

}  // namespace icotrace::e2e
