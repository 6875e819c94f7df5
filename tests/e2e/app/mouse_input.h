// The mouse as a person uses it: real input events, which go to whatever
// window is under the pointer. The button is pressed and released in two
// steps so that a check can watch the control take each one.
#pragma once

#include <windows.h>

namespace icotrace::e2e {

// The middle of the window's client area, on the screen.
POINT CentreOf(HWND window);
void MoveMouseTo(POINT screen);
void PressLeftButton(POINT screen);
void ReleaseLeftButton(POINT screen);
// A whole click in the middle of the window.
void ClickCentreOf(HWND window);

}  // namespace icotrace::e2e
