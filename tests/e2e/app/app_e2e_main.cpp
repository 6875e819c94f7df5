// icotrace_e2e_app <scenario> <Icotrace.exe> <demo-desktop.exe>
// Starts the real Icotrace.exe and uses it from outside, as a person would,
// against demo desktops it starts itself. Run under Wine by the harness, in
// a Wine prefix of its own.
#include <windows.h>

#include <cstdio>
#include <map>
#include <string>

#include "app_scenarios.h"
#include "e2e_check.h"
#include "e2e_environment.h"
#include "expected_layout.h"

namespace icotrace::e2e {
namespace {

// Wine draws the windows' frames itself (there is no window manager on the
// private display), so that the close box can be clicked; and the screen
// stays at 96 dpi, which names the layout file. Both are read when a
// program starts; the prefix is this check's own. A real Windows keeps its
// settings.
void PrepareWinePrefix() {
  if (!RunningUnderWine()) return;
  const wchar_t managed[] = L"N";
  const DWORD dpi = 96;
  ::RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\X11 Driver", L"Managed", REG_SZ, managed,
                    sizeof managed);
  ::RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi,
                    sizeof dpi);
}

}  // namespace

std::vector<std::wstring> ScenarioDesktopArguments() {
  return {L"--items", WriteItemFile(L"app-items.txt", ScenarioItems())};
}

}  // namespace icotrace::e2e

int wmain(int argc, wchar_t** argv) {
  using namespace icotrace::e2e;
  const std::map<std::wstring, void (*)(const AppPaths&)> scenarios = {
      {L"commands", CommandScenarios},
      {L"file-at-start", FileAtStartScenarios},
      {L"failures", FailureScenarios},
      {L"shell-faults", ShellFaultScenarios},
      {L"bad-files",
       [](const AppPaths& paths) {
         LockedFileScenarios(paths);
         LargeFileScenarios(paths);
       }},
      {L"folders", ProgramFolderScenarios},
      {L"walkthrough", WalkthroughScenario},
      {L"awkward", AwkwardItemScenarios},
      {L"shell-view", ShellViewScenarios},
      {L"desktop-moves", DesktopMoveScenarios},
  };
  const auto scenario = argc > 3 ? scenarios.find(argv[1]) : scenarios.end();
  if (scenario == scenarios.end()) {
    std::fprintf(
        stderr,
        "usage: icotrace_e2e_app "
        "<commands|file-at-start|failures|shell-faults|bad-files|folders|walkthrough|awkward|"
        "shell-view|desktop-moves> "
        "<Icotrace.exe> "
        "<demo-desktop.exe>\n");
    return 2;
  }
  std::printf("== %s (%u-bit)\n", Utf8(std::wstring(argv[1])).c_str(),
              static_cast<unsigned>(sizeof(void*) * 8));
  PrepareWinePrefix();
  scenario->second({WindowsPath(argv[2]), WindowsPath(argv[3])});
  return Summary();
}
