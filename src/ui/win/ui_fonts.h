// The fonts of the windows at a given DPI. The designs name MS Sans Serif;
// "MS Shell Dlg" is the face Windows maps to it (Wine maps it to Tahoma).
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/win/handles.h"

namespace icotrace {

// Point sizes in twips (20 to the point): 8.25 pt and 9.75 pt.
inline constexpr std::int32_t kDialogFontTwips = 165;
inline constexpr std::int32_t kLargeFontTwips = 195;

UniqueFont CreateDialogFont(std::int32_t sizeTwips, bool bold, UINT dpi);

// Gives the font to the control and has it redrawn.
void SetControlFont(HWND control, HFONT font);

}  // namespace icotrace
