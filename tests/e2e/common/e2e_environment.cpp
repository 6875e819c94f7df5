#include "e2e_environment.h"

#include <windows.h>

#include <map>

#include "e2e_test.h"
#include "live_windows.h"
#include "platform/win/handles.h"
#include "screen_bitmap.h"

namespace icotrace::e2e {
namespace {

std::vector<std::wstring>& Arguments() {
  static std::vector<std::wstring> arguments;
  return arguments;
}

std::map<std::wstring, ChildRole>& ChildRoles() {
  static std::map<std::wstring, ChildRole> roles;
  return roles;
}

}  // namespace

bool RegisterChildRole(const wchar_t* switchName, ChildRole role) {
  return ChildRoles().emplace(switchName, role).second;
}

std::optional<int> RunChildRole(int argc, wchar_t** argv) {
  if (argc < 2) return std::nullopt;
  const auto role = ChildRoles().find(argv[1]);
  if (role == ChildRoles().end()) return std::nullopt;
  return role->second(std::vector<std::wstring>(argv + 2, argv + argc));
}

std::string Utf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length,
                      nullptr, nullptr);
  return bytes;
}

std::string Utf8(std::u16string_view text) {
  return Utf8(std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()));
}

void SetProgramArguments(std::vector<std::wstring> arguments) {
  Arguments() = std::move(arguments);
}

const std::vector<std::wstring>& ProgramArguments() {
  return Arguments();
}

std::wstring PathArgument(std::size_t index) {
  return index < Arguments().size() ? WindowsPath(Arguments()[index]) : std::wstring();
}

std::wstring EnvironmentVariable(const wchar_t* name) {
  const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return {};
  std::wstring value(size, L'\0');
  value.resize(GetEnvironmentVariableW(name, value.data(), size));
  return value;
}

bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::wstring OtherBitnessDemoDesktop(const std::wstring& given) {
  if (!given.empty()) return WindowsPath(given);
  const wchar_t* name =
      sizeof(void*) == 8 ? L"ICOTRACE_DEMO_DESKTOP_32" : L"ICOTRACE_DEMO_DESKTOP_64";
  return WindowsPath(EnvironmentVariable(name));
}

std::wstring E2eDirectory() {
  std::wstring folder = EnvironmentVariable(L"ICOTRACE_E2E_DIR_WIN");
  return folder.empty() ? L"." : folder;
}

bool RequestScreenshot(const std::wstring& name) {
  // Let the windows finish painting first.
  Sleep(300);
  if (!RunningUnderWine()) return SaveScreenBitmap(E2eDirectory() + L"\\" + name + L".bmp");
  if (EnvironmentVariable(L"ICOTRACE_E2E_DIR_WIN").empty()) return false;
  const std::wstring request = E2eDirectory() + L"\\" + name + L".snap-request";
  if (!UniqueKernelHandle(CreateFileW(request.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr)))
    return false;
  // The harness removes the request once the picture is written.
  if (WaitUntil([&] { return GetFileAttributesW(request.c_str()) == INVALID_FILE_ATTRIBUTES; },
                30000))
    return true;
  DeleteFileW(request.c_str());
  return false;
}

std::wstring WindowsPath(const std::wstring& path) {
  if (path.empty() || path[0] != L'/') return path;
  std::wstring windows = L"Z:" + path;
  for (wchar_t& c : windows) {
    if (c == L'/') c = L'\\';
  }
  return windows;
}

}  // namespace icotrace::e2e
