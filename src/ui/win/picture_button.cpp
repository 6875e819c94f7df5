#include "ui/win/picture_button.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>

#include "platform/win/handles.h"

namespace icotrace {
namespace {

constexpr UINT kCaptionFormat = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;

struct ButtonState {
  bool Pressed;
  bool Disabled;
  bool Focused;
};

int ThemePart(const ButtonState& state) {
  if (state.Disabled) return PBS_DISABLED;
  if (state.Pressed) return PBS_PRESSED;
  return state.Focused ? PBS_DEFAULTED : PBS_NORMAL;
}

// Draws the button's face and returns the rectangle left for its content.
RECT DrawFace(HDC dc, HWND button, HTHEME theme, const RECT& bounds, const ButtonState& state) {
  RECT content = bounds;
  if (theme != nullptr) {
    const int part = ThemePart(state);
    if (::IsThemeBackgroundPartiallyTransparent(theme, BP_PUSHBUTTON, part)) {
      RECT parentArea = bounds;
      ::DrawThemeParentBackground(button, dc, &parentArea);
    }
    ::DrawThemeBackground(theme, dc, BP_PUSHBUTTON, part, &bounds, nullptr);
    ::GetThemeBackgroundContentRect(theme, dc, BP_PUSHBUTTON, part, &bounds, &content);
    return content;
  }
  RECT face = bounds;
  ::DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (state.Pressed ? DFCS_PUSHED : 0));
  ::InflateRect(&content, -2, -2);
  if (state.Pressed) ::OffsetRect(&content, 1, 1);
  return content;
}

void DrawPicture(HDC dc, const ButtonPicture& picture, int left, int top, bool disabled) {
  if (picture.Icon == nullptr) return;
  if (disabled) {
    ::DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(picture.Icon), 0, left, top,
                 picture.Size, picture.Size, DST_ICON | DSS_DISABLED);
  } else {
    ::DrawIconEx(dc, left, top, picture.Icon, picture.Size, picture.Size, 0, nullptr, DI_NORMAL);
  }
}

void DrawCaption(HDC dc, HTHEME theme, const ButtonState& state, std::wstring_view caption,
                 RECT area) {
  const int length = static_cast<int>(caption.size());
  if (theme != nullptr) {
    ::DrawThemeText(theme, dc, BP_PUSHBUTTON, ThemePart(state), caption.data(), length,
                    kCaptionFormat, 0, &area);
    return;
  }
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(state.Disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  ::DrawTextW(dc, caption.data(), length, &area, kCaptionFormat);
}

}  // namespace

void DrawPictureButton(const DRAWITEMSTRUCT& item, const ButtonPicture& picture,
                       std::wstring_view caption) {
  const ButtonState state{(item.itemState & ODS_SELECTED) != 0,
                          (item.itemState & ODS_DISABLED) != 0, (item.itemState & ODS_FOCUS) != 0};
  const HDC dc = item.hDC;
  const auto font = reinterpret_cast<HFONT>(::SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
  SelectedObject selectedFont(dc, font != nullptr ? font : ::GetStockObject(DEFAULT_GUI_FONT));

  const HTHEME theme = ::OpenThemeData(item.hwndItem, L"Button");
  const RECT content = DrawFace(dc, item.hwndItem, theme, item.rcItem, state);

  // The picture at the same height on every button of a row, the wrapped
  // caption centred in the space below it.
  const int margin = std::max(2, picture.Size / 8);
  const int pictureTop = content.top + margin;
  const int pictureLeft = (content.left + content.right - picture.Size) / 2;
  DrawPicture(dc, picture, pictureLeft, pictureTop, state.Disabled);
  RECT textArea{content.left + margin, 0, content.right - margin, 0};
  ::DrawTextW(dc, caption.data(), static_cast<int>(caption.size()), &textArea,
              kCaptionFormat | DT_CALCRECT);
  const int textHeight = textArea.bottom - textArea.top;
  const int spaceTop = pictureTop + picture.Size + margin / 2;
  const int space = content.bottom - margin / 2 - spaceTop;
  textArea.left = content.left + margin;
  textArea.right = content.right - margin;
  textArea.top = spaceTop + std::max(0, (space - textHeight) / 2);
  textArea.bottom = std::min<LONG>(textArea.top + textHeight, content.bottom);
  DrawCaption(dc, theme, state, caption, textArea);

  if (state.Focused && (item.itemState & ODS_NOFOCUSRECT) == 0) {
    RECT focus = content;
    ::InflateRect(&focus, -1, -1);
    ::DrawFocusRect(dc, &focus);
  }
  if (theme != nullptr) ::CloseThemeData(theme);
}

}  // namespace icotrace
