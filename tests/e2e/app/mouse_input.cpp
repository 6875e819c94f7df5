#include "mouse_input.h"

namespace icotrace::e2e {
namespace {

constexpr DWORD kSettleMs = 50;

// A button event where the pointer stands.
void SendButton(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  ::SendInput(1, &input, sizeof input);
  ::Sleep(kSettleMs);
}

}  // namespace

POINT CentreOf(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  POINT centre{client.right / 2, client.bottom / 2};
  ::ClientToScreen(window, &centre);
  return centre;
}

void MoveMouseTo(POINT screen) {
  ::SetCursorPos(screen.x, screen.y);
  ::Sleep(kSettleMs);
}

void PressLeftButton(POINT screen) {
  MoveMouseTo(screen);
  SendButton(MOUSEEVENTF_LEFTDOWN);
}

void ReleaseLeftButton(POINT screen) {
  MoveMouseTo(screen);
  SendButton(MOUSEEVENTF_LEFTUP);
}

void ClickCentreOf(HWND window) {
  const POINT centre = CentreOf(window);
  PressLeftButton(centre);
  ReleaseLeftButton(centre);
}

}  // namespace icotrace::e2e
