#include "shell_calls.h"

#include <vector>

#include "demo_desktop_process.h"
#include "e2e_environment.h"
#include "live_windows.h"

namespace icotrace::e2e {
namespace {

bool SetValue(const std::wstring& path, const wchar_t* name, const std::wstring& value) {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
    return false;
  const auto size = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  const bool set =
      ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), size) ==
      ERROR_SUCCESS;
  ::RegCloseKey(key);
  return set;
}

std::wstring ThisProgram() {
  std::wstring path(MAX_PATH, L'\0');
  const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), MAX_PATH);
  path.resize(length);
  return path;
}

// Run as the scheme's handler (the role kShellCallSwitch starts): writes the
// call to the record file.
int RecordShellCall(const std::wstring& record, const std::wstring& target) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  ::GetStartupInfoW(&startup);
  const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : -1;
  wchar_t directory[MAX_PATH] = {};
  ::GetCurrentDirectoryW(MAX_PATH, directory);
  // UTF-16 as it stands, written aside and then moved in whole: the check
  // never reads half a record.
  const std::wstring text = target + L'\n' + directory + L'\n' + std::to_wstring(show) + L'\n';
  const std::wstring partial = record + L".partial";
  try {
    WriteFileBytes(partial, std::string(reinterpret_cast<const char*>(text.data()),
                                        text.size() * sizeof(wchar_t)));
  } catch (const E2eError&) {
    return 1;
  }
  return ::MoveFileExW(partial.c_str(), record.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}

const bool kShellCallRoleRegistered =
    RegisterChildRole(kShellCallSwitch, [](const std::vector<std::wstring>& arguments) {
      return arguments.size() == 2 ? RecordShellCall(arguments[0], arguments[1]) : 2;
    });

}  // namespace

bool AnswerScheme(const std::wstring& scheme, const std::wstring& record) {
  const std::wstring command =
      L"\"" + ThisProgram() + L"\" " + kShellCallSwitch + L" \"" + record + L"\" \"%1\"";
  return SetValue(scheme, L"URL Protocol", L"") &&
         SetValue(scheme + L"\\shell\\open\\command", nullptr, command);
}

void ForgetScheme(const std::wstring& scheme) {
  ::RegDeleteTreeW(HKEY_CLASSES_ROOT, scheme.c_str());
}

std::optional<ShellCall> WaitForShellCall(const std::wstring& record, DWORD timeoutMs) {
  if (!WaitUntil([&] { return ::GetFileAttributesW(record.c_str()) != INVALID_FILE_ATTRIBUTES; },
                 timeoutMs))
    return std::nullopt;
  const std::string bytes = ReadFileBytes(record).value_or(std::string());
  ::DeleteFileW(record.c_str());
  std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
  bytes.copy(reinterpret_cast<char*>(text.data()), text.size() * sizeof(wchar_t));
  // Three lines: the address, the folder, the show state.
  ShellCall call;
  const std::size_t first = text.find(L'\n');
  const std::size_t second =
      first == std::wstring::npos ? std::wstring::npos : text.find(L'\n', first + 1);
  if (second != std::wstring::npos) {
    call.Target = text.substr(0, first);
    call.Directory = text.substr(first + 1, second - first - 1);
    call.Show = std::stoi(text.substr(second + 1));
  }
  return call;
}

}  // namespace icotrace::e2e
