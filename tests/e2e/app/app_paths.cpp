// The paths the app scenarios work with, from the program's arguments:
//   icotrace_e2e_app --gtest_filter=<scenario> <Icotrace.exe> <demo-desktop.exe>
// The Wine prefix's settings (the screen's DPI, Wine drawing the frames so
// that the close box can be clicked) are the harness's (scripts/wine-run.sh).
#include "app_scenarios.h"
#include "e2e_environment.h"
#include "expected_layout.h"

namespace icotrace::e2e {

const AppPaths& Paths() {
  static const AppPaths paths = {PathArgument(0), PathArgument(1)};
  return paths;
}

std::vector<std::wstring> ScenarioDesktopArguments() {
  return {L"--items", WriteItemFile(L"app-items.txt", ScenarioItems())};
}

}  // namespace icotrace::e2e
