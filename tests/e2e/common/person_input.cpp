#include "person_input.h"

#include <vector>

namespace icotrace::e2e {
namespace {

// Long enough for Wine to hand the event to the window under the pointer.
constexpr DWORD kSettleMs = 150;

INPUT MouseInput(POINT screen, DWORD flags) {
  // Absolute positions run from 0 to 65535 across the primary screen.
  const int width = ::GetSystemMetrics(SM_CXSCREEN);
  const int height = ::GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>((screen.x * 65535LL + width / 2) / (width - 1));
  input.mi.dy = static_cast<LONG>((screen.y * 65535LL + height / 2) / (height - 1));
  input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | flags;
  return input;
}

INPUT KeyInput(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

void Send(std::vector<INPUT> inputs) {
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  ::Sleep(kSettleMs);
}

}  // namespace

POINT ClientCentreOf(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  POINT centre{client.right / 2, client.bottom / 2};
  ::ClientToScreen(window, &centre);
  return centre;
}

POINT WindowCentreOf(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void MoveMouseTo(POINT screen) {
  Send({MouseInput(screen, 0)});
}

void PressLeftButton(POINT screen) {
  MoveMouseTo(screen);
  Send({MouseInput(screen, MOUSEEVENTF_LEFTDOWN)});
}

void ReleaseLeftButton(POINT screen) {
  MoveMouseTo(screen);
  Send({MouseInput(screen, MOUSEEVENTF_LEFTUP)});
}

void ClickAt(POINT screen) {
  PressLeftButton(screen);
  ReleaseLeftButton(screen);
}

void PressKey(WORD virtualKey, bool alt) {
  std::vector<INPUT> inputs;
  if (alt) inputs.push_back(KeyInput(VK_MENU, false));
  inputs.push_back(KeyInput(virtualKey, false));
  inputs.push_back(KeyInput(virtualKey, true));
  if (alt) inputs.push_back(KeyInput(VK_MENU, true));
  Send(inputs);
}

}  // namespace icotrace::e2e
