#include "person_input.h"

#include <tlhelp32.h>

#include <algorithm>
#include <vector>

#include "platform/win/handles.h"

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

// This process and every process it started (Icotrace, demo desktops), to
// any depth: the windows a check means to click.
std::vector<DWORD> CheckProcesses() {
  std::vector<DWORD> ours{::GetCurrentProcessId()};
  const UniqueKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return ours;
  std::vector<PROCESSENTRY32W> all;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more;
       more = ::Process32NextW(snapshot.Get(), &entry))
    all.push_back(entry);
  const auto known = [&](DWORD id) {
    return std::find(ours.begin(), ours.end(), id) != ours.end();
  };
  for (std::size_t before = 0; before != ours.size();) {
    before = ours.size();
    for (const PROCESSENTRY32W& process : all)
      if (known(process.th32ParentProcessID) && !known(process.th32ProcessID))
        ours.push_back(process.th32ProcessID);
  }
  return ours;
}

// Z-order, top first, of the check's own visible top-level windows: the
// first whose frame holds the point and that takes a press there (a tool
// tip lets it through) is the one a person would be clicking.
HWND CheckWindowAt(POINT screen) {
  const std::vector<DWORD> ours = CheckProcesses();
  for (HWND window = ::GetTopWindow(nullptr); window != nullptr;
       window = ::GetWindow(window, GW_HWNDNEXT)) {
    RECT frame{};
    if (!::IsWindowVisible(window) || ::IsIconic(window) || !::GetWindowRect(window, &frame) ||
        !::PtInRect(&frame, screen))
      continue;
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (std::find(ours.begin(), ours.end(), process) == ours.end()) continue;
    DWORD_PTR hit = HTNOWHERE;
    if (::SendMessageTimeoutW(window, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y),
                              SMTO_ABORTIFHUNG, 2000, &hit) &&
        static_cast<LRESULT>(hit) == HTTRANSPARENT)
      continue;
    return window;
  }
  return nullptr;
}

// A window of another program (the runner's console, say) may cover the
// check's window, and a process in the background is refused the
// foreground. Making the window topmost needs no foreground right and
// activates nothing; the press itself then activates it, as the system
// does for any click on a background window. Held from the press to the
// release, then undone.
HWND g_raised = nullptr;

void RaiseForPress(POINT screen) {
  const HWND target = CheckWindowAt(screen);
  if (target == nullptr || ::GetAncestor(::WindowFromPoint(screen), GA_ROOT) == target) return;
  if ((::GetWindowLongPtrW(target, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) return;
  ::SetWindowPos(target, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
  // A window that keeps its own place (a demo desktop stays at the bottom)
  // has refused; there is nothing to undo then.
  if ((::GetWindowLongPtrW(target, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) g_raised = target;
}

void LowerAfterRelease() {
  if (g_raised == nullptr) return;
  // Right below the topmost band: still above every other window, as a
  // window just clicked is.
  if (::IsWindow(g_raised))
    ::SetWindowPos(g_raised, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
  g_raised = nullptr;
}

}  // namespace

HWND InputTargetAt(POINT screen) {
  return CheckWindowAt(screen);
}

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
  LowerAfterRelease();  // a press never released
  RaiseForPress(screen);
  MoveMouseTo(screen);
  Send({MouseInput(screen, MOUSEEVENTF_LEFTDOWN)});
}

void ReleaseLeftButton(POINT screen) {
  MoveMouseTo(screen);
  Send({MouseInput(screen, MOUSEEVENTF_LEFTUP)});
  LowerAfterRelease();
}

void ClickAt(POINT screen) {
  PressLeftButton(screen);
  ReleaseLeftButton(screen);
}

bool ClickFrame(HWND window, LRESULT hitCode) {
  RECT frame{};
  ::GetWindowRect(window, &frame);
  for (LONG y = frame.top + 1; y < frame.top + 48; y += 2) {
    for (LONG x = frame.right - 2; x > frame.right - 160; x -= 2) {
      DWORD_PTR hit = HTNOWHERE;
      if (!::SendMessageTimeoutW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 5000,
                                 &hit))
        return false;
      if (static_cast<LRESULT>(hit) != hitCode) continue;
      ClickAt({x, y});
      return true;
    }
  }
  return false;
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
