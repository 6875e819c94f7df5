#include "ui/win/shell_open.h"

#include <shellapi.h>

#include <string>

#include "ui/win/wide_text.h"

namespace icotrace {
namespace {

// The folder that holds the program file, without its last backslash; the
// path may be longer than MAX_PATH.
std::wstring ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

void Open(HWND window, const ShellOpenCall& call) {
  const std::wstring file = Wide(call.File);
  const std::wstring folder = call.InProgramFolder ? ProgramFolder() : std::wstring();
  ::ShellExecuteW(window, L"Open", file.c_str(), call.InProgramFolder ? L"" : nullptr,
                  call.InProgramFolder ? folder.c_str() : nullptr, SW_SHOWNORMAL);
}

}  // namespace

void OpenInShell(HWND window, const ShellOpenCall& call) {
  if (!call.SwallowFailures) {
    Open(window, call);
    return;
  }
  try {
    Open(window, call);
  } catch (...) {
    // The e-mail link fails silently, whatever went wrong.
  }
}

}  // namespace icotrace
