// Icotrace.exe running from a scratch folder, used from outside as a person
// uses it: its main window, the list and the six buttons found by what they
// show, clicks with the mouse, and the end of the process.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "running_program.h"

namespace icotrace::e2e {

// The six commands, by the caption of their button.
enum class Command { Read, Save, Load, Apply, About, Quit };
inline constexpr std::size_t kCommandCount = 6;
const wchar_t* CaptionOf(Command command);

// Enabled state of the six buttons, indexed by Command.
using ButtonStates = std::array<bool, kCommandCount>;
// Read, About and Quit are always offered; the three others as given.
ButtonStates Offered(bool save, bool load, bool apply);
std::string Describe(const ButtonStates& states);

enum class ClickResult {
  Done,         // the command ran to its end, or waits in a window it opened
  Disabled,     // the button was greyed
  Covered,      // another window stayed over the button
  NoPressSeen,  // the button never showed itself pushed
  StillBusy,    // the command had not returned when the time was up
  Ended,        // the program ended
};
std::string Describe(ClickResult result);

class IcotraceSession {
 public:
  // Starts the program and waits for its main window. Throws E2eError.
  explicit IcotraceSession(const std::wstring& program);
  IcotraceSession(const IcotraceSession&) = delete;
  IcotraceSession& operator=(const IcotraceSession&) = delete;

  HWND Main() const { return m_main; }
  // The folder the program runs from.
  const std::wstring& Folder() const { return m_folder; }
  HWND ListView() const { return m_listView; }
  HWND Button(Command command) const { return m_buttons[static_cast<std::size_t>(command)]; }
  DWORD ProcessId() const { return m_program.ProcessId(); }

  // Raises the main window above whatever covers it, as a person clicking
  // its title would; false when it stays covered.
  bool BringToFront() const;
  // Presses and releases the button (raising the window first when another
  // covers it), then waits until the command is over:
  // the program answers again, or it shows a window of its own.
  ClickResult Click(Command command);
  // Clicks the close box of the main window's title bar; false when no
  // close box could be found on the screen.
  bool ClickCloseBox();

  ButtonStates States() const;
  // For a click that was not taken: what covers the button, and what the
  // start depended on (StartAccount); empty for the other results.
  std::string WhyNotTaken(Command command, ClickResult result) const;
  // True while the process runs and its main window answers.
  bool Responsive() const;
  // The exit code when the process ended within waitMs.
  bool WaitForExit(DWORD waitMs, DWORD& exitCode) const {
    return m_program.WaitForExit(waitMs, exitCode);
  }

 private:
  bool Ended() const { return m_program.Ended(); }

  std::wstring m_folder;
  RunningProgram m_program;
  HWND m_main = nullptr;
  HWND m_listView = nullptr;
  std::array<HWND, kCommandCount> m_buttons{};
  HWND m_underPress = nullptr;  // the window under the pointer at the last press
};

}  // namespace icotrace::e2e
