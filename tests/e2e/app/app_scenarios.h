// The walks through Icotrace.exe that the check program makes (one suite a
// ctest entry), each from a fresh copy of the program and a demo desktop of
// its own.
#pragma once

#include <string>
#include <vector>

namespace icotrace::e2e {

struct AppPaths {
  std::wstring Icotrace;     // Icotrace.exe of the build (its DLL beside it)
  std::wstring DemoDesktop;  // demo-desktop.exe of the same bitness
};
// From the program's arguments: <Icotrace.exe> <demo-desktop.exe>.
const AppPaths& Paths();

// The demo desktop's arguments for the scenarios' own items.
std::vector<std::wstring> ScenarioDesktopArguments();

}  // namespace icotrace::e2e
