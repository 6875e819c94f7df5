// The shell going away or hanging in the middle of a command: Icotrace says
// so in French, in good time, keeps running with everything as it was, and
// works again once a desktop is back.
#include "app_checks.h"
#include "app_scenarios.h"
#include "demo_desktop_process.h"
#include "demo_protocol.h"
#include "desktop_places.h"
#include "e2e_test.h"
#include "expected_layout.h"
#include "failed_command.h"
#include "scratch_install.h"

namespace icotrace::e2e {
namespace {

constexpr wchar_t kNotResponding[] = L"Le bureau de Windows ne répond pas";
// The program gives the shell 5 s a message; a command may meet the
// timeout once, and the rest of its work is quick.
constexpr DWORD kCommandLimitMs = 15000;

// Item messages the demo desktop answers before it fails: halfway through
// the scenario's items, for a read (one message an item) as for an apply
// (one search a named entry).
std::wstring Halfway() {
  return std::to_wstring(ScenarioItems().size() / 2);
}

std::vector<std::wstring> FaultyDesktop(const wchar_t* fault) {
  std::vector<std::wstring> arguments = ScenarioDesktopArguments();
  arguments.insert(arguments.end(), {fault, Halfway()});
  return arguments;
}

// The scenario's items, each somewhere else, in the desktop's order.
std::vector<demo::DemoItem> MovedItems() {
  std::vector<demo::DemoItem> items = ScenarioItems();
  for (demo::DemoItem& item : items) {
    item.X += 410;
    item.Y += 230;
  }
  return items;
}

void CheckShellGone(DemoDesktopProcess& demo, const std::string& when) {
  EXPECT_TRUE(demo.Exited(5000)) << when + ": the demo desktop went away";
  EXPECT_EQ(demo.Stop(), static_cast<DWORD>(demo::kExitShellGone))
      << when + ": the demo desktop's exit code";
}

void ShellGoesAway(const AppPaths& paths) {
  const ScratchInstall install(L"shell-goes-away", paths.Icotrace);
  const std::vector<ExpectedRow> saved = RowsOfDesktop(MovedItems());
  const std::vector<ExpectedRow> loadRows = RowsOfLoad(saved);
  const auto started = StartWithLayoutFile(install, LayoutFileBytes(saved));
  IcotraceSession& icotrace = *started;
  PictureBook pictures;
  {
    DemoDesktopProcess demo(paths.DemoDesktop, FaultyDesktop(demo::kSwitchExitAfter));
    // A load asks the desktop for pictures only, which the fault leaves be.
    CheckClick(icotrace, Command::Load, "load before the shell goes");
    CheckNoMessage(icotrace, "load before the shell goes");
    pictures.CheckRows(icotrace, CheckRows(icotrace, loadRows, "load before the shell goes"),
                       loadRows, true, "load before the shell goes");
    const UntouchedState before(icotrace, install);
    CheckFailingClick(icotrace, Command::Read, {kNotResponding}, "read as the shell goes",
                      kCommandLimitMs);
    before.Check("read as the shell goes");
    CheckShellGone(demo, "read as the shell goes");
  }
  {
    DemoDesktopProcess demo(paths.DemoDesktop, FaultyDesktop(demo::kSwitchExitAfter));
    const UntouchedState before(icotrace, install);
    CheckFailingClick(icotrace, Command::Apply, {kNotResponding}, "apply as the shell goes",
                      kCommandLimitMs);
    before.Check("apply as the shell goes");
    CheckShellGone(demo, "apply as the shell goes");
  }
  // The table loaded before both failures is still the one applied.
  DemoDesktopProcess demo(paths.DemoDesktop, ScenarioDesktopArguments());
  CheckClick(icotrace, Command::Apply, "apply once the desktop is back");
  CheckNoMessage(icotrace, "apply once the desktop is back");
  CheckDesktopPlaces(demo, MovedItems(), "apply once the desktop is back");
  const std::vector<ExpectedRow> readRows = RowsOfDesktop(demo.Truth());
  CheckClick(icotrace, Command::Read, "read once the desktop is back");
  CheckNoMessage(icotrace, "read once the desktop is back");
  pictures.CheckRows(icotrace, CheckRows(icotrace, readRows, "read once the desktop is back"),
                     readRows, true, "read once the desktop is back");
  const std::vector<demo::DemoItem> read = demo.Truth();
  ScrambleDesktop(demo, "before the apply of the read");
  CheckClick(icotrace, Command::Apply, "apply of the read");
  CheckNoMessage(icotrace, "apply of the read");
  CheckDesktopPlaces(demo, read, "apply of the read");
}

void ShellHangs(const AppPaths& paths) {
  const ScratchInstall install(L"shell-hangs", paths.Icotrace);
  // Only pictured images: the load after the hang then needs no desktop.
  std::vector<demo::DemoItem> items = MovedItems();
  std::erase_if(items, [](const demo::DemoItem& item) { return item.Image >= demo::kImageCount; });
  const std::vector<ExpectedRow> loadRows = RowsOfLoad(RowsOfDesktop(items));
  DemoDesktopProcess demo(paths.DemoDesktop, FaultyDesktop(demo::kSwitchHangAfter));
  const auto started = StartWithLayoutFile(install, LayoutFileBytes(RowsOfDesktop(items)));
  IcotraceSession& icotrace = *started;

  CheckClick(icotrace, Command::Load, "load before the shell hangs");
  CheckNoMessage(icotrace, "load before the shell hangs");
  CheckRows(icotrace, loadRows, "load before the shell hangs");
  for (const auto& [command, when] : {std::pair{Command::Read, "read as the shell hangs"},
                                      std::pair{Command::Save, "save with the shell hung"},
                                      std::pair{Command::Apply, "apply with the shell hung"}}) {
    const UntouchedState before(icotrace, install);
    CheckFailingClick(icotrace, command, {kNotResponding}, when, kCommandLimitMs);
    before.Check(when);
  }
  const ULONGLONG took = TimedClick(icotrace, Command::Load, "load with the shell hung");
  EXPECT_TRUE(took <= kCommandLimitMs) << "load with the shell hung: comes back in good time"
                                       << ": " << std::to_string(took) + " ms";
  CheckNoMessage(icotrace, "load with the shell hung");
  CheckRows(icotrace, loadRows, "load with the shell hung");

  EXPECT_TRUE(!demo.Exited(0)) << "the hung demo desktop still runs";
  demo.Stop();
  EXPECT_TRUE(demo.Exited(0)) << "the hung demo desktop is ended";
  EXPECT_TRUE(icotrace.Responsive()) << "Icotrace goes on running after the hung desktop ends";
}

}  // namespace

// the shell goes away during a read, then during an apply
TEST(AppShellFaults, ShellGoesAway) {
  ShellGoesAway(Paths());
}

// the shell hangs: read, save and apply give up in time
TEST(AppShellFaults, ShellHangs) {
  ShellHangs(Paths());
}

}  // namespace icotrace::e2e
