// The demo desktop: a stand-in for the shell's desktop, for the demo and the
// end-to-end checks under Wine.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "demo_desktop.h"
#include "demo_items.h"
#include "demo_options.h"
#include "demo_protocol.h"

namespace icotrace::demo {
namespace {

// On the error stream when there is one (under Wine, a terminal), else in a
// message box for a person who started it by hand.
void Report(const std::wstring& text) {
  const std::wstring line = L"demo-desktop : " + text + L"\n";
  HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  if (error != nullptr && error != INVALID_HANDLE_VALUE) {
    const std::string bytes = ToUtf8(line);
    DWORD written = 0;
    if (WriteFile(error, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
      return;
    }
  }
  MessageBoxW(nullptr, text.c_str(), L"Bureau de démonstration", MB_OK | MB_ICONWARNING);
}

std::vector<std::wstring> Arguments() {
  int count = 0;
  wchar_t** values = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::wstring> arguments;
  for (int i = 1; values != nullptr && i < count; ++i) arguments.emplace_back(values[i]);
  LocalFree(values);
  return arguments;
}

// The whole file, or an ItemFileError.
std::string ReadWholeFile(const std::wstring& path) {
  constexpr DWORD kLargest = 64 * 1024 * 1024;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw ItemFileError(0, L"impossible d'ouvrir le fichier");
  LARGE_INTEGER size{};
  std::string bytes;
  bool ok = GetFileSizeEx(file, &size) != FALSE && size.QuadPart <= kLargest;
  if (ok) {
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    ok = bytes.empty() ||
         (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) != FALSE &&
          read == bytes.size());
  }
  CloseHandle(file);
  if (!ok) throw ItemFileError(0, L"fichier illisible ou trop grand");
  return bytes;
}

std::vector<DemoItem> ChooseItems(const DemoOptions& options) {
  if (options.Count) {
    return GeneratedItems(*options.Count, GetSystemMetrics(SM_CXVIRTUALSCREEN),
                          GetSystemMetrics(SM_CYVIRTUALSCREEN));
  }
  if (!options.ItemsFile.empty()) return ParseItemFile(ReadWholeFile(options.ItemsFile));
  return DefaultItems();
}

int Main(HINSTANCE instance) {
  DemoOptions options;
  std::vector<DemoItem> items;
  try {
    options = ParseDemoOptions(Arguments());
    items = ChooseItems(options);
  } catch (const OptionError& error) {
    Report(error.Message());
    return kExitBadArguments;
  } catch (const ItemFileError& error) {
    Report(options.ItemsFile +
           (error.Line() > 0 ? L", ligne " + std::to_wstring(error.Line()) : L"") + L" : " +
           error.Message());
    return kExitBadArguments;
  }
  // One desktop at a time: the programs that look for "Progman" must find
  // this one and no other.
  HANDLE single = CreateMutexW(nullptr, FALSE, L"Local\\IcotraceDemoDesktop");
  if (GetLastError() == ERROR_ALREADY_EXISTS || FindWindowW(L"Progman", nullptr) != nullptr) {
    Report(L"un bureau (fenêtre « Progman ») existe déjà ; celui-ci ne démarre pas.");
    if (single != nullptr) CloseHandle(single);
    return kExitAnotherDesktop;
  }
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_LISTVIEW_CLASSES;
  InitCommonControlsEx(&controls);
  // The shell's view wants OLE on its thread (drag and drop, its folder
  // objects), and so do the objects a Windows shell serves; our own list
  // view does not.
  const bool ole = (!options.ShellViewFolder.empty() || options.WindowsShell) &&
                   SUCCEEDED(OleInitialize(nullptr));
  int exitCode = 1;
  {
    DemoDesktop desktop(options, std::move(items));
    if (!desktop.Create(instance)) {
      Report(L"les fenêtres du bureau n'ont pas pu être créées.");
    } else if (!options.DumpFile.empty() && !desktop.Dump(options.DumpFile)) {
      Report(L"impossible d'écrire " + options.DumpFile);
    } else {
      exitCode = desktop.Run();
    }
  }
  if (ole) OleUninitialize();
  if (single != nullptr) CloseHandle(single);
  return exitCode;
}

}  // namespace
}  // namespace icotrace::demo

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  return icotrace::demo::Main(instance);
}
