// One tooltip control per window, showing a fixed text over each tool.
#pragma once

#include <windows.h>

#include <string_view>

namespace icotrace {

class ToolTips {
 public:
  // The tooltip control is owned by owner and goes with it.
  void Create(HINSTANCE instance, HWND owner);
  void Add(HWND tool, std::u16string_view text);

 private:
  HWND m_toolTip = nullptr;
};

}  // namespace icotrace
