// icotrace_e2e_desktop <scenario> <demo-desktop.exe> [<demo desktop of the other bitness>]
// Run under Wine by the harness (ctest in a Windows build).
#include <windows.h>

#include <cstdio>
#include <map>
#include <string>

#include "desktop_e2e.h"
#include "e2e_check.h"
#include "e2e_environment.h"

int wmain(int argc, wchar_t** argv) {
  const std::map<std::wstring, void (*)(const icotrace::e2e::DemoPaths&)> scenarios = {
      {L"read", icotrace::e2e::ReadChecks},
      {L"apply", icotrace::e2e::ApplyChecks},
      {L"workerw", icotrace::e2e::WorkerWChecks},
      {L"no-desktop", icotrace::e2e::NoDesktopChecks},
      {L"other-bitness", icotrace::e2e::OtherBitnessChecks},
      {L"faults", icotrace::e2e::FaultChecks},
      {L"demo", icotrace::e2e::DemoDesktopChecks},
      {L"shell-view", icotrace::e2e::ShellViewChecks},
      {L"emulations", icotrace::e2e::MoveEmulationChecks},
  };
  const auto scenario = argc > 2 ? scenarios.find(argv[1]) : scenarios.end();
  if (scenario == scenarios.end()) {
    std::fprintf(
        stderr,
        "usage: icotrace_e2e_desktop <read|apply|workerw|no-desktop|other-bitness|faults|"
        "demo|shell-view|emulations> <demo-desktop.exe> [<other bitness demo-desktop.exe>]\n");
    return 2;
  }
  std::printf("== %s (%u-bit)\n", icotrace::e2e::Utf8(std::wstring(argv[1])).c_str(),
              static_cast<unsigned>(sizeof(void*) * 8));
  scenario->second({icotrace::e2e::WindowsPath(argv[2]),
                    icotrace::e2e::OtherBitnessDemoDesktop(argc > 3 ? argv[3] : L"")});
  return icotrace::e2e::Summary();
}
