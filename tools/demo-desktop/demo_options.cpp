#include "demo_options.h"

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <utility>

#include "demo_protocol.h"

namespace icotrace::demo {
namespace {

std::uint32_t ParseCount(const std::wstring& text, const std::wstring& option,
                         std::uint32_t largest) {
  wchar_t* end = nullptr;
  errno = 0;
  const unsigned long long value = std::wcstoull(text.c_str(), &end, 10);
  if (text.empty() || text[0] == L'-' || *end != L'\0' || errno != 0 || value > largest) {
    throw OptionError(option + L" attend un nombre entier de 0 à " + std::to_wstring(largest) +
                      L", pas « " + text + L" »");
  }
  return static_cast<std::uint32_t>(value);
}

}  // namespace

DemoOptions ParseDemoOptions(const std::vector<std::wstring>& arguments) {
  // Generated desktops stay within what a list view handles comfortably.
  constexpr std::uint32_t kMostItems = 100000;
  DemoOptions options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::wstring& option = arguments[i];
    const std::pair<const wchar_t*, bool DemoOptions::*> flags[] = {
        {kSwitchWorkerW, &DemoOptions::WorkerW},
        {kSwitchCallbackText, &DemoOptions::CallbackText},
        {kSwitchSnapToGrid, &DemoOptions::SnapToGrid},
        {kSwitchAutoArrange, &DemoOptions::AutoArrange},
        {kSwitchIgnoreMoves, &DemoOptions::IgnoreMoves},
        {kSwitchWindowsShell, &DemoOptions::WindowsShell},
    };
    const auto flag = std::find_if(std::begin(flags), std::end(flags),
                                   [&](const auto& known) { return option == known.first; });
    if (flag != std::end(flags)) {
      options.*(flag->second) = true;
      continue;
    }
    if (i + 1 >= arguments.size()) {
      throw OptionError(L"option inconnue ou sans valeur : « " + option + L" »");
    }
    const std::wstring& value = arguments[++i];
    if (option == kSwitchCount) {
      options.Count = static_cast<std::int32_t>(ParseCount(value, option, kMostItems));
    } else if (option == kSwitchItems) {
      options.ItemsFile = value;
    } else if (option == kSwitchExitAfter) {
      options.ExitAfter = ParseCount(value, option, UINT32_MAX - 1);
    } else if (option == kSwitchHangAfter) {
      options.HangAfter = ParseCount(value, option, UINT32_MAX - 1);
    } else if (option == kSwitchDumpOnStart) {
      options.DumpFile = value;
    } else if (option == kSwitchShellView) {
      options.ShellViewFolder = value;
    } else if (option == kSwitchViewState) {
      options.ViewStateFile = value;
    } else if (option == kSwitchFault) {
      constexpr const wchar_t* kFaults[] = {kFaultPlaceHangs,       kFaultPlaceLate,
                                            kFaultPlaceBusy,        kFaultPlaceDenied,
                                            kFaultNoDesktopAtFirst, kFaultPlacesShowLate};
      if (std::find_if(std::begin(kFaults), std::end(kFaults),
                       [&](const wchar_t* known) { return value == known; }) == std::end(kFaults)) {
        throw OptionError(L"--fault : défaut inconnu « " + value + L" »");
      }
      options.Faults.push_back(value);
    } else {
      throw OptionError(L"option inconnue : « " + option + L" »");
    }
  }
  if (options.Count && !options.ItemsFile.empty()) {
    throw OptionError(L"--count et --items ne vont pas ensemble");
  }
  // The shell's view shows the folder's items, nothing else.
  if (!options.ShellViewFolder.empty() &&
      (options.Count || !options.ItemsFile.empty() || options.CallbackText)) {
    throw OptionError(L"--shell-view ne va pas avec --count, --items ni --callback-text");
  }
  // That desktop shows the user's desktop folder, nothing else.
  if (options.WindowsShell && (options.Count || !options.ItemsFile.empty() ||
                               options.CallbackText || !options.ShellViewFolder.empty())) {
    throw OptionError(
        L"--windows-shell ne va pas avec --count, --items, --callback-text ni --shell-view");
  }
  if (!options.WindowsShell && (!options.ViewStateFile.empty() || !options.Faults.empty())) {
    throw OptionError(L"--view-state et --fault vont avec --windows-shell");
  }
  return options;
}

}  // namespace icotrace::demo
