#include "icotrace_session.h"

#include <commctrl.h>

#include <optional>

#include "demo_desktop_process.h"
#include "e2e_test.h"
#include "live_windows.h"
#include "person_input.h"
#include "scratch_install.h"

namespace icotrace::e2e {
namespace {

constexpr DWORD kStartMs = 30000;
constexpr DWORD kPressMs = 10000;
// A command on a slow Wine: a read fetches one icon per distinct picture.
constexpr DWORD kCommandMs = 60000;
constexpr DWORD kProbeMs = 500;

constexpr const wchar_t* kCaptions[kCommandCount] = {L"Lire la configuration bureau",
                                                     L"Sauver la configuration bureau",
                                                     L"Charger la configuration",
                                                     L"Appliquer la configuration bureau",
                                                     L"A propos",
                                                     L"Quitter"};

struct ControlSearch {
  HWND listView = nullptr;
  std::array<HWND, kCommandCount> buttons{};
};

BOOL CALLBACK TakeControl(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<ControlSearch*>(data);
  const std::wstring type = ClassOf(window);
  if (type == WC_LISTVIEWW && search->listView == nullptr) search->listView = window;
  if (type != L"Button") return TRUE;
  const std::wstring text = SystemTextOf(window);
  for (std::size_t i = 0; i < kCommandCount; ++i)
    if (text == kCaptions[i]) search->buttons[i] = window;
  return TRUE;
}

// The button's pushed state as its own thread tells it; nothing while that
// thread is busy.
std::optional<bool> Pushed(HWND button) {
  DWORD_PTR state = 0;
  if (!::SendMessageTimeoutW(button, BM_GETSTATE, 0, 0, SMTO_NORMAL, kProbeMs, &state))
    return std::nullopt;
  return (state & BST_PUSHED) != 0;
}

}  // namespace

const wchar_t* CaptionOf(Command command) {
  return kCaptions[static_cast<std::size_t>(command)];
}

ButtonStates Offered(bool save, bool load, bool apply) {
  return {true, save, load, apply, true, true};
}

std::string Describe(const ButtonStates& states) {
  static constexpr const char* kNames[kCommandCount] = {"read",  "save",  "load",
                                                        "apply", "about", "quit"};
  std::string text;
  for (std::size_t i = 0; i < kCommandCount; ++i) {
    if (!states[i]) continue;
    text += text.empty() ? "" : " ";
    text += kNames[i];
  }
  return "{" + text + "}";
}

std::string Describe(ClickResult result) {
  switch (result) {
    case ClickResult::Done:
      return "done";
    case ClickResult::Disabled:
      return "disabled";
    case ClickResult::Covered:
      return "covered";
    case ClickResult::NoPressSeen:
      return "no press seen";
    case ClickResult::StillBusy:
      return "still busy";
    case ClickResult::Ended:
      return "ended";
  }
  return "?";
}

IcotraceSession::IcotraceSession(const std::wstring& program)
    : m_folder(program.substr(0, program.find_last_of(L'\\'))), m_program(program, {}, kStartMs) {
  if (!m_program.Started())
    throw E2eError("cannot start " + Utf8(program) + " (error " +
                   std::to_string(m_program.StartError()) + ")");
  m_main = FindTopWindow(m_program.ProcessId(), L"Icotrace", kStartMs);
  if (m_main == nullptr) throw E2eError("Icotrace.exe showed no main window");
  ControlSearch controls;
  ::EnumChildWindows(m_main, &TakeControl, reinterpret_cast<LPARAM>(&controls));
  m_listView = controls.listView;
  m_buttons = controls.buttons;
  if (m_listView == nullptr) throw E2eError("the main window has no list view");
  for (std::size_t i = 0; i < kCommandCount; ++i)
    if (m_buttons[i] == nullptr)
      throw E2eError("the main window has no button \"" + Utf8(kCaptions[i]) + "\"");
  // Before the first click the window is on top and has painted once.
  if (!BringToFront()) throw E2eError("the main window stays covered after its start");
  ::UpdateWindow(m_main);
  DWORD_PTR ignored = 0;
  if (!::SendMessageTimeoutW(m_main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kStartMs, &ignored))
    throw E2eError("the main window does not answer after its start");
}

ClickResult IcotraceSession::Click(Command command) {
  const HWND button = Button(command);
  m_underPress = nullptr;
  if (!::IsWindowEnabled(button)) return ClickResult::Disabled;
  const POINT centre = ClientCentreOf(button);
  // A demo desktop started after the program takes the foreground: the
  // window is raised and activated first, as a person clicking its title
  // would, so that the press goes to an active window.
  if ((::GetForegroundWindow() != m_main || ::WindowFromPoint(centre) != button) && !BringToFront())
    return ClickResult::Covered;
  PressLeftButton(centre);
  m_underPress = ::WindowFromPoint(centre);
  // Down is taken when the button shows itself pushed; up is taken when it
  // no longer does. The answer to that last question comes only once the
  // command has returned, or from the message loop of a window it opened.
  const bool down = WaitUntil([&] { return Ended() || Pushed(button).value_or(false); }, kPressMs);
  ReleaseLeftButton(centre);
  if (!down)
    return Ended()                  ? ClickResult::Ended
           : m_underPress != button ? ClickResult::Covered
                                    : ClickResult::NoPressSeen;
  const bool up = WaitUntil([&] { return Ended() || !Pushed(button).value_or(true); }, kCommandMs);
  if (Ended()) return ClickResult::Ended;
  return up ? ClickResult::Done : ClickResult::StillBusy;
}

bool IcotraceSession::BringToFront() const {
  // A check in the background may be refused the foreground, and another
  // program's window may cover ours: the press lifts the window and
  // activates it (person_input). Above the check's own windows is enough.
  // Under Wine a demo desktop just started may come up over the window after
  // it was raised once, and stay there: raised again, as a person would
  // click its title again, until it stays on top.
  const POINT centre = ClientCentreOf(m_main);
  int round = 0;
  return WaitUntil(
      [&] {
        if (round++ % 5 == 0) {
          ::SetForegroundWindow(m_main);
          ::BringWindowToTop(m_main);
        }
        return InputTargetAt(centre) == m_main;
      },
      5000);
}

bool IcotraceSession::ClickCloseBox() {
  return ClickFrame(m_main, HTCLOSE);
}

ButtonStates IcotraceSession::States() const {
  ButtonStates states{};
  for (std::size_t i = 0; i < kCommandCount; ++i) states[i] = ::IsWindowEnabled(m_buttons[i]) != 0;
  return states;
}

std::string IcotraceSession::WhyNotTaken(Command command, ClickResult result) const {
  if (result != ClickResult::Disabled && result != ClickResult::Covered &&
      result != ClickResult::NoPressSeen)
    return {};
  std::string why = " (buttons " + Describe(States());
  if (result == ClickResult::Covered) {
    const HWND over =
        m_underPress != nullptr ? m_underPress : ::WindowFromPoint(ClientCentreOf(Button(command)));
    DWORD owner = 0;
    ::GetWindowThreadProcessId(over, &owner);
    why += "; covered by a window of class " + Utf8(ClassOf(over)) + ", process " +
           std::to_string(owner) + " (Icotrace: " + std::to_string(ProcessId()) + ")";
  }
  return why + "; " + StartAccount(m_folder) + ")";
}

bool IcotraceSession::Responsive() const {
  DWORD_PTR ignored = 0;
  return !Ended() &&
         ::SendMessageTimeoutW(m_main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored) != 0;
}

}  // namespace icotrace::e2e
