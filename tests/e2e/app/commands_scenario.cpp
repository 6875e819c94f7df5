// A person's walk through every command, starting without a layout file.
#include "app_checks.h"
#include "app_scenarios.h"
#include "demo_desktop_process.h"
#include "desktop_places.h"
#include "e2e_environment.h"
#include "e2e_test.h"
#include "live_windows.h"
#include "person_input.h"
#include "round_trip.h"
#include "scratch_install.h"

namespace icotrace::e2e {
namespace {

constexpr wchar_t kAboutCaption[] = L"A propos Icotrace";

// "A propos" opens the About box modally; its "&OK" closes it.
void CheckAboutBox(IcotraceSession& icotrace) {
  const std::vector<SeenRow> rows = ReadRows(icotrace.ListView());
  const ButtonStates states = icotrace.States();
  CheckClick(icotrace, Command::About, "About");
  const HWND about = FindTopWindow(icotrace.ProcessId(), kAboutCaption, 10000);
  ASSERT_TRUE(about != nullptr) << "About: the box \"A propos Icotrace\" shows";
  EXPECT_TRUE(!::IsWindowEnabled(icotrace.Main()))
      << "About: the main window takes no input meanwhile";
  const HWND ok = ::FindWindowExW(about, nullptr, L"Button", L"&OK");
  ASSERT_TRUE(ok != nullptr) << "About: the box has its \"&OK\" button";
  ClickAt(ClientCentreOf(ok));
  EXPECT_TRUE((WaitUntil([&] { return !::IsWindow(about) || !::IsWindowVisible(about); }, 10000)))
      << "About: \"&OK\" closes the box";
  EXPECT_TRUE((WaitUntil([&] { return ::IsWindowEnabled(icotrace.Main()) != 0; }, 5000)))
      << "About: the main window takes input again";
  EXPECT_TRUE(icotrace.Responsive()) << "About: Icotrace goes on running";
  CheckRowsUnchanged(icotrace, rows, "About");
  CheckButtons(icotrace, states, "after About");
}

void ReadSaveLoadApply(const AppPaths& paths) {
  const ScratchInstall install(L"commands", paths.Icotrace);
  DemoDesktopProcess demo(paths.DemoDesktop, ScenarioDesktopArguments());
  const std::vector<demo::DemoItem> original = demo.Truth();
  const std::vector<ExpectedRow> readRows = RowsOfDesktop(original);
  IcotraceSession icotrace(install.Program());
  PictureBook pictures;

  CheckButtons(icotrace, Offered(false, false, false), "at start without a layout file");
  EXPECT_TRUE(ReadRows(icotrace.ListView()).empty());

  CheckClick(icotrace, Command::Read, "read");
  CheckNoMessage(icotrace, "read");
  pictures.CheckRows(icotrace, CheckRows(icotrace, readRows, "read"), readRows, true, "read");
  CheckButtons(icotrace, Offered(true, false, false), "after a read");
  EXPECT_TRUE(!install.LayoutBytes().has_value());
  KeepScreenshot(L"app-after-read");

  // Each row once, and every picture taken from the cache.
  CheckClick(icotrace, Command::Read, "second read");
  CheckNoMessage(icotrace, "second read");
  pictures.CheckRows(icotrace, CheckRows(icotrace, readRows, "second read"), readRows, true,
                     "second read");

  CheckClick(icotrace, Command::Save, "save");
  CheckNoMessage(icotrace, "save");
  EXPECT_EQ(install.LayoutBytes().value_or("<no file>"), LayoutFileBytes(readRows))
      << "save: the layout file holds the read";
  EXPECT_EQ(install.OtherFileCount(), 1) << "save: the layout file alone beside the program";
  CheckRows(icotrace, readRows, "save");
  CheckButtons(icotrace, Offered(true, true, false), "after a save");

  ScrambleDesktop(demo, "before the load");
  const std::vector<ExpectedRow> loadRows = RowsOfLoad(readRows);
  CheckClick(icotrace, Command::Load, "load");
  CheckNoMessage(icotrace, "load");
  // The empty last row shows the picture of desktop image 0 (K0).
  pictures.CheckRows(icotrace, CheckRows(icotrace, loadRows, "load"), loadRows, true, "load");
  CheckButtons(icotrace, Offered(true, true, true), "after a load");
  KeepScreenshot(L"app-after-load");

  const std::vector<SeenRow> loaded = ReadRows(icotrace.ListView());
  CheckClick(icotrace, Command::Apply, "apply");
  CheckNoMessage(icotrace, "apply");
  CheckDesktopPlaces(demo, original, "apply of the loaded layout");
  CheckRowsUnchanged(icotrace, loaded, "apply");
  CheckButtons(icotrace, Offered(true, true, true), "after an apply");

  // The save reads the desktop again: the file gets the scrambled places,
  // not the table loaded before.
  const std::vector<ExpectedRow> freshRows =
      RowsOfDesktop(ScrambleDesktop(demo, "before the save after a load"));
  CheckClick(icotrace, Command::Save, "save after a load");
  CheckNoMessage(icotrace, "save after a load");
  EXPECT_EQ(install.LayoutBytes().value_or("<no file>"), LayoutFileBytes(freshRows))
      << "save after a load: the layout file holds a fresh read";
  pictures.CheckRows(icotrace, CheckRows(icotrace, freshRows, "save after a load"), freshRows, true,
                     "save after a load");
  CheckButtons(icotrace, Offered(true, true, true), "after a save after a load");

  CheckAboutBox(icotrace);

  CheckClick(icotrace, Command::Quit, "quit", ClickResult::Ended);
  DWORD exitCode = 1;
  EXPECT_TRUE(icotrace.WaitForExit(5000, exitCode) && exitCode == 0)
      << "\"Quitter\" ends the program at once with code 0"
      << ": "
      << "exit code " + std::to_string(exitCode);
}

}  // namespace

// every command, from a start without a layout file
TEST(AppCommands, ReadSaveLoadApply) {
  ReadSaveLoadApply(Paths());
}

}  // namespace icotrace::e2e
