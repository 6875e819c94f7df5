// Draws a picture button: its one picture centred above its caption, which
// wraps inside the button. A disabled button shows the picture greyed.
#pragma once

#include <windows.h>

#include <string_view>

namespace icotrace {

struct ButtonPicture {
  HICON Icon = nullptr;
  int Size = 0;  // pixels, square
};

// Paints an owner-drawn push button for WM_DRAWITEM.
void DrawPictureButton(const DRAWITEMSTRUCT& item, const ButtonPicture& picture,
                       std::wstring_view caption);

}  // namespace icotrace
