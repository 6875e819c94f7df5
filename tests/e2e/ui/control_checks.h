// Checks shared by the two windows: the controls a container holds, in
// order, each with its class, text, place and state; the colours on screen.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "e2e_test.h"
#include "live_windows.h"

namespace icotrace::e2e {

struct ExpectedControl {
  std::string Name;
  std::wstring ClassName;
  std::u16string Text;
  Box Place;  // in the container's client area
  bool Enabled = true;
};

// The direct children of container, topmost first; returns them.
std::vector<HWND> CheckControls(HWND container, const std::vector<ExpectedControl>& expected);

// How many pixels of that colour the window shows on the screen now.
int PixelsOfColour(HWND window, COLORREF colour);

// The controls that take the focus with Tab, in the order Tab visits them.
std::vector<HWND> TabStops(HWND top);

// Hovers over window and returns the tooltip text shown for it ("" if none).
std::wstring ToolTipOver(HWND window, DWORD processId);

}  // namespace icotrace::e2e
