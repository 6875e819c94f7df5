// Starts the real Icotrace.exe and checks its windows from outside, as a
// person would see and use them: at 96 dpi in full, once more with a layout
// file (the buttons it offers), then at 144 dpi.
//   icotrace_ui_check <path of Icotrace.exe>
// The About box's links start it again, as the shell's handler of their
// addresses, to record the call (shell_calls.h).
#include <windows.h>

#include <cstdio>
#include <string>

#include "check_report.h"
#include "e2e_environment.h"
#include "live_windows.h"
#include "person_input.h"
#include "platform/win/handles.h"
#include "running_program.h"
#include "scratch_install.h"
#include "shell_calls.h"
#include "window_checks.h"

namespace icotrace::e2e {
namespace {

// How long the program may take to come up.
constexpr DWORD kIdleMs = 20000;

// Coordinates of the program's windows as they are, not scaled for us.
void BecomeDpiAware() {
  using SetContextFn = BOOL(WINAPI*)(HANDLE);
  const auto setContext = reinterpret_cast<SetContextFn>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
  // -4: per monitor, version 2.
  if (setContext == nullptr || !setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4))))
    ::SetProcessDPIAware();
}

void SetUserValue(const wchar_t* key, const wchar_t* name, DWORD type, const void* data,
                  DWORD size) {
  HKEY opened = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened,
                        nullptr) != ERROR_SUCCESS)
    return;
  const UniqueRegistryKey owned(opened);
  ::RegSetValueExW(owned.Get(), name, 0, type, static_cast<const BYTE*>(data), size);
}

// Wine reads both when a program starts, so each run of the program gets the
// DPI set before it. The prefix is this check's own.
void SetWineScreen(DWORD dpi) {
  const wchar_t managed[] = L"N";  // Wine draws the frames: no window manager here
  SetUserValue(L"Software\\Wine\\X11 Driver", L"Managed", REG_SZ, managed, sizeof managed);
  SetUserValue(L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
}

HWND StartAndFindMain(CheckReport& report, RunningProgram& program) {
  if (!report.Expect(program.Started(), "Icotrace.exe starts")) return nullptr;
  const HWND main = WaitForWindow(program.ProcessId(), L"IcotraceMain", 30000);
  if (!report.Expect(main != nullptr, "the main window shows")) return nullptr;
  ::SetForegroundWindow(main);
  ::Sleep(500);  // let it paint before anything is read from the screen
  return main;
}

void ExpectEnded(CheckReport& report, RunningProgram& program, const std::string& how) {
  DWORD exitCode = 1;
  report.Expect(program.WaitForExit(10000, exitCode) && exitCode == 0, how + " ends the program",
                std::to_string(exitCode));
}

void RunAt96Dpi(CheckReport& report, const std::wstring& path) {
  RunningProgram program(path, {}, kIdleMs);
  const HWND main = StartAndFindMain(report, program);
  if (main == nullptr) return;
  report.Expect(RequestScreenshot(L"main-96dpi"), "screenshot main-96dpi");
  Session session{report, program.ProcessId(), main};
  CheckMainWindow(session);
  CheckAboutBox(session);
  CheckDpiChange(session);
  const std::vector<HWND> buttons = MainButtons(main);
  if (!report.Expect(buttons.size() == 6, "the buttons are still there")) return;
  ClickAt(WindowCentreOf(buttons[5]));
  ExpectEnded(report, program, "a click on \"Quitter\"");
}

// A layout file for the screen offers the load at start, and a load offers
// the save and the apply: the tool tips of the three can show at last.
void RunWithALayoutFile(CheckReport& report, const ScratchInstall& install) {
  install.WriteLayout("Corbeille;16;16;0;0\r\nDocuments;90;16;1;0\r\n");
  {
    RunningProgram program(install.Program(), {}, kIdleMs);
    const HWND main = StartAndFindMain(report, program);
    if (main != nullptr) {
      Session session{report, program.ProcessId(), main};
      CheckToolTipsOnceOffered(session);
      ::PostMessageW(main, WM_CLOSE, 0, 0);
      ExpectEnded(report, program, "closing the main window after a load");
    }
  }
  install.RemoveLayout();
}

void RunAt144Dpi(CheckReport& report, const std::wstring& path) {
  RunningProgram program(path, {}, kIdleMs);
  const HWND main = StartAndFindMain(report, program);
  if (main == nullptr) return;
  Session session{report, program.ProcessId(), main};
  CheckAt144Dpi(session);
  ::PostMessageW(main, WM_CLOSE, 0, 0);
  ExpectEnded(report, program, "closing the main window");
}

}  // namespace
}  // namespace icotrace::e2e

int wmain(int argc, wchar_t** argv) {
  using namespace icotrace::e2e;
  if (argc == 4 && std::wstring(argv[1]) == kShellCallSwitch)
    return RecordShellCall(argv[2], argv[3]);
  if (argc < 2) {
    std::printf("usage: icotrace_ui_check <Icotrace.exe>\n");
    return 2;
  }
  BecomeDpiAware();
  CheckReport report;
  // A copy of its own, holding no layout file: one saved beside the built
  // program (by a person's run, say) would change the start checked here.
  const ScratchInstall install(L"ui", WindowsPath(argv[1]));
  const std::wstring& program = install.Program();
  CheckProgramResources(report, program);
  const bool wine = RunningUnderWine();
  if (wine) SetWineScreen(96);
  RunAt96Dpi(report, program);
  RunWithALayoutFile(report, install);
  if (wine) {
    SetWineScreen(144);
    RunAt144Dpi(report, program);
    SetWineScreen(96);
  } else {
    report.Note("144 dpi is checked under Wine only, where the check can set it");
  }
  return report.Finish();
}
