// The one bitmap format both sides of the icon exchange use: 32 bits per
// pixel, rows from the top, no compression.
#pragma once

#include <windows.h>

namespace icotrace::imagelist {

inline BITMAPINFO TopDownDib(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace icotrace::imagelist
