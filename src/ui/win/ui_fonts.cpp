#include "ui/win/ui_fonts.h"

#include <stdexcept>

#include "ui/twips.h"

namespace icotrace {

UniqueFont CreateDialogFont(std::int32_t sizeTwips, bool bold, UINT dpi) {
  // A negative height asks for the character height, as a point size means.
  UniqueFont font(::CreateFontW(-TwipsToPixels(sizeTwips, dpi), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL,
                                FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                                L"MS Shell Dlg"));
  if (!font) throw std::runtime_error("CreateFontW");
  return font;
}

void SetControlFont(HWND control, HFONT font) {
  ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

}  // namespace icotrace
