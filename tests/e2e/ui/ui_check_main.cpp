// Starts the real Icotrace.exe and checks its windows from outside, as a
// person would see and use them: at 96 dpi in full, once more with a layout
// file (the buttons it offers), then at 144 dpi, where a layout is saved and
// found again by its name. The harness sets the screen's DPI before the run
// (scripts/wine-run.sh --dpi).
//   icotrace_ui_check --gtest_filter=<scenario> <Icotrace.exe> <demo-desktop.exe>
// The About box's links start it again, as the shell's handler of their
// addresses, to record the call (shell_calls.h).
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "demo_desktop_process.h"
#include "e2e_environment.h"
#include "e2e_test.h"
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

int ScreenDpi() {
  const WindowDc screen(nullptr);
  return ::GetDeviceCaps(screen.Get(), LOGPIXELSX);
}

// The program started from a copy of its own, holding no layout file unless
// the test writes one: one saved beside the built program (by a person's run,
// say) would change the start checked here. Skips when the screen is not at
// the DPI the test is about (the harness's --dpi).
class UiWindows : public testing::Test {
 protected:
  UiWindows() { BecomeDpiAware(); }

  void StartAt(int dpi) {
    if (ScreenDpi() != dpi)
      GTEST_SKIP() << "the screen is at " << ScreenDpi() << " dpi, not " << dpi
                   << " (scripts/wine-run.sh --dpi " << dpi << ")";
    m_program.emplace(m_install.Program(), std::vector<std::wstring>{}, kIdleMs);
    ASSERT_TRUE(m_program->Started()) << "Icotrace.exe starts";
    const HWND main = WaitForWindow(m_program->ProcessId(), L"IcotraceMain", 30000);
    ASSERT_NE(main, nullptr) << "the main window shows";
    ::SetForegroundWindow(main);
    // Painted before anything is read from the screen.
    DWORD_PTR ignored = 0;
    ASSERT_TRUE(::SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kIdleMs, &ignored))
        << "the main window answers";
    ::RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    m_session = {m_program->ProcessId(), main};
  }

  void ExpectEnded(const std::string& how) {
    DWORD exitCode = 1;
    EXPECT_TRUE(m_program->WaitForExit(10000, exitCode) && exitCode == 0)
        << how << " ends the program [seen: " << exitCode << "]";
  }

  const ScratchInstall m_install{L"ui", PathArgument(0)};
  std::optional<RunningProgram> m_program;
  Session m_session{};
};

}  // namespace

TEST(UiResources, ProgramFile) {
  CheckProgramResources(ScratchInstall(L"ui-resources", PathArgument(0)).Program());
}

TEST_F(UiWindows, At96Dpi) {
  StartAt(96);
  if (IsSkipped() || HasFatalFailure()) return;
  EXPECT_TRUE(RequestScreenshot(L"main-96dpi")) << "screenshot main-96dpi";
  CheckMainWindow(m_session);
  CheckAboutBox(m_session);
  CheckDpiChange(m_session);
  const std::vector<HWND> buttons = MainButtons(m_session.Main);
  ASSERT_TRUE(buttons.size() == 6) << "the buttons are still there";
  ClickAt(WindowCentreOf(buttons[5]));
  ExpectEnded("a click on \"Quitter\"");
}

// A layout file for the screen offers the load at start, and a load offers
// the save and the apply: the tool tips of the three can show at last.
TEST_F(UiWindows, WithALayoutFile) {
  m_install.WriteLayout("Corbeille;16;16;0;0\r\nDocuments;90;16;1;0\r\n");
  StartAt(96);
  if (IsSkipped() || HasFatalFailure()) return;
  CheckToolTipsOnceOffered(m_session);
  ::PostMessageW(m_session.Main, WM_CLOSE, 0, 0);
  ExpectEnded("closing the main window after a load");
}

// At 144 dpi: the windows half as large again, and a layout of a demo
// desktop saved under the name the program gives the screen, then found
// again by that name at the next start: at 144 dpi (10 twips a pixel) the
// name is the screen's size in pixels.
TEST_F(UiWindows, At144Dpi) {
  const DemoDesktopProcess demo(PathArgument(1), {});
  StartAt(144);
  if (IsSkipped() || HasFatalFailure()) return;
  CheckAt144Dpi(m_session);
  const std::wstring expected = std::to_wstring(::GetSystemMetrics(SM_CXSCREEN)) + L"x" +
                                std::to_wstring(::GetSystemMetrics(SM_CYSCREEN)) + L".ICOLAY";
  EXPECT_TRUE(m_install.LayoutFile().ends_with(L"\\" + expected))
      << "the name at 144 dpi is the screen's size: " << Utf8(m_install.LayoutFile());
  std::vector<HWND> buttons = MainButtons(m_session.Main);
  ASSERT_TRUE(buttons.size() == 6) << "frmMain has its six buttons";
  ClickAt(WindowCentreOf(buttons[0]));
  ASSERT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(buttons[1]) != FALSE; }, 30000))
      << "a read offers the save";
  ClickAt(WindowCentreOf(buttons[1]));
  ASSERT_TRUE(WaitUntil([&] { return m_install.LayoutBytes().has_value(); }, 10000))
      << "the save writes the layout file, " << StartAccount(m_install.Folder());
  // The demo's Greek and Cyrillic caption goes into a UTF-8 file: the save
  // says nothing, and a close waits until its command ends.
  ::PostMessageW(m_session.Main, WM_CLOSE, 0, 0);
  ExpectEnded("closing the main window");

  StartAt(144);
  if (HasFatalFailure()) return;
  buttons = MainButtons(m_session.Main);
  ASSERT_TRUE(buttons.size() == 6) << "frmMain has its six buttons";
  ASSERT_TRUE(::IsWindowEnabled(buttons[2]))
      << "the saved layout is offered at the next start, " << StartAccount(m_install.Folder());
  ClickAt(WindowCentreOf(buttons[2]));
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(buttons[3]) != FALSE; }, 30000))
      << "a load of the saved layout offers the apply";
  ::PostMessageW(m_session.Main, WM_CLOSE, 0, 0);
  ExpectEnded("closing the main window after the load");
}

}  // namespace icotrace::e2e
