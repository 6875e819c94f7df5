// The mouse and the keyboard, as a person uses them: real input events that
// go to whatever window is under the pointer or has the focus.
#pragma once

#include <windows.h>

namespace icotrace::e2e {

POINT CentreOf(HWND window);
void MoveMouseTo(POINT screen);
void ClickAt(POINT screen);
// One key pressed and released; with Alt held when alt is set.
void PressKey(WORD virtualKey, bool alt = false);

}  // namespace icotrace::e2e
