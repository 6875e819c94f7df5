#include "ui/win/tool_tips.h"

#include <commctrl.h>

#include <string>

#include "ui/win/wide_text.h"

namespace icotrace {

void ToolTips::Create(HINSTANCE instance, HWND owner) {
  m_toolTip =
      ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance, nullptr);
}

void ToolTips::Add(HWND tool, std::u16string_view text) {
  if (m_toolTip == nullptr) return;
  std::wstring copy = Wide(text);  // the control keeps its own copy
  TOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = ::GetParent(tool);
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = copy.data();
  ::SendMessageW(m_toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace icotrace
