// The mouse and the keyboard, as a person uses them: real input events that
// go to whatever window is under the pointer or has the focus. The button
// can be pressed and released in two steps, so that a check can watch the
// control take each one. A press goes to the check's own window under the
// pointer (of this process or one it started) even where another
// program's window covers it; keys go to the foreground window, which a
// click on the window's title makes it.
#pragma once

#include <windows.h>

namespace icotrace::e2e {

// The middle of the window's client area, on the screen.
POINT ClientCentreOf(HWND window);
// The middle of the window's outer rectangle, frame included, on the screen.
POINT WindowCentreOf(HWND window);

// The top-level window of the check's own programs that a press at that
// point reaches, or null: the others' windows do not count.
HWND InputTargetAt(POINT screen);

void MoveMouseTo(POINT screen);
void PressLeftButton(POINT screen);
void ReleaseLeftButton(POINT screen);
// Moves there, presses and releases.
void ClickAt(POINT screen);
// A click where the window's frame answers that hit-test code, searched
// from the top right: HTCLOSE closes it, HTCAPTION makes it the foreground
// window whatever held the foreground, touching nothing in it. False when
// no such point is on the screen or the window does not answer.
bool ClickFrame(HWND window, LRESULT hitCode);
// One key pressed and released; with Alt held when alt is set.
void PressKey(WORD virtualKey, bool alt = false);

}  // namespace icotrace::e2e
