// The walk that the README's run command shows without a display: read,
// save, scramble the desktop, load, apply, as a person would, each step's
// result printed and a screenshot kept.
#include <cstdio>

#include "app_checks.h"
#include "app_scenarios.h"
#include "demo_desktop_process.h"
#include "desktop_places.h"
#include "e2e_environment.h"
#include "e2e_test.h"
#include "person_input.h"
#include "remote_list_view.h"
#include "scratch_install.h"

namespace icotrace::e2e {
namespace {

void Step(int number, const char* what, const std::string& result, const wchar_t* screenshot) {
  // The pointer goes away first, so that no tool tip hides the buttons.
  MoveMouseTo({::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1});
  const bool shot = RequestScreenshot(screenshot);
  std::printf("%d. %s: %s%s\n", number, what, result.c_str(),
              shot ? (" [" + Utf8(std::wstring(screenshot)) + ".png]").c_str() : "");
  std::fflush(stdout);
}

std::size_t ItemsInPlace(const std::vector<demo::DemoItem>& now,
                         const std::vector<demo::DemoItem>& wanted) {
  std::size_t inPlace = 0;
  for (std::size_t i = 0; i < now.size() && i < wanted.size(); ++i) {
    if (now[i].X == wanted[i].X && now[i].Y == wanted[i].Y) ++inPlace;
  }
  return inPlace;
}

void Walk(const AppPaths& paths) {
  const ScratchInstall install(L"walkthrough", paths.Icotrace);
  DemoDesktopProcess demo(paths.DemoDesktop, {});
  const std::vector<demo::DemoItem> original = demo.Truth();
  IcotraceSession icotrace(install.Program());
  std::printf("Icotrace runs from %s, the demo desktop shows %zu icons\n",
              Utf8(install.Folder()).c_str(), original.size());

  CheckClick(icotrace, Command::Read, "read");
  CheckNoMessage(icotrace, "read");
  const std::size_t read = ReadRows(icotrace.ListView()).size();
  EXPECT_EQ(read, original.size());
  Step(1, "\"Lire la configuration bureau\"", std::to_string(read) + " rows listed",
       L"walk-1-read");

  CheckClick(icotrace, Command::Save, "save");
  // The demo desktop has a caption the code page cannot hold: the save
  // writes the file in UTF-8 and says nothing, and that icon comes back too.
  CheckNoMessage(icotrace, "save");
  const std::optional<std::string> saved = install.LayoutBytes();
  EXPECT_TRUE(saved.has_value());
  Step(2, "\"Sauver la configuration bureau\"",
       "wrote " + Utf8(install.LayoutFile()) + " (" + std::to_string(saved ? saved->size() : 0) +
           " bytes)",
       L"walk-2-save");

  const std::vector<demo::DemoItem> scrambled = ScrambleDesktop(demo, "walkthrough");
  Step(3, "an installer scrambles the desktop",
       std::to_string(original.size() - ItemsInPlace(scrambled, original)) + " icons moved",
       L"walk-3-scrambled");

  CheckClick(icotrace, Command::Load, "load");
  CheckNoMessage(icotrace, "load");
  Step(4, "\"Charger la configuration\"",
       std::to_string(ReadRows(icotrace.ListView()).size()) +
           " rows (the file's lines and the "
           "closing empty entry)",
       L"walk-4-load");

  CheckClick(icotrace, Command::Apply, "apply");
  CheckNoMessage(icotrace, "apply");
  CheckDesktopPlaces(demo, original, "walkthrough apply");
  Step(5, "\"Appliquer la configuration bureau\"",
       std::to_string(ItemsInPlace(demo.Truth(), original)) + " of " +
           std::to_string(original.size()) + " icons back in their place",
       L"walk-5-applied");

  CheckClick(icotrace, Command::Quit, "quit", ClickResult::Ended);
}

}  // namespace

// the walkthrough: read, save, scramble, load, apply
TEST(AppWalkthrough, Walk) {
  Walk(Paths());
}

}  // namespace icotrace::e2e
