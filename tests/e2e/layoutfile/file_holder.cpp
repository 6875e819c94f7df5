#include "file_holder.h"

#include <string>
#include <vector>

#include "e2e_environment.h"

namespace icotrace::e2e {
namespace {

constexpr DWORD kWaitMs = 30000;

std::wstring EventName(const wchar_t* what, DWORD parent) {
  return L"Local\\IcotraceLayoutCheck" + std::wstring(what) + std::to_wstring(parent);
}

std::wstring ProgramPath() {
  std::wstring path(32768, L'\0');
  path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return path;
}

}  // namespace

FileHolder::FileHolder(const std::wstring& path) {
  const DWORD self = ::GetCurrentProcessId();
  m_ready = ::CreateEventW(nullptr, TRUE, FALSE, EventName(L"Ready", self).c_str());
  m_release = ::CreateEventW(nullptr, TRUE, FALSE, EventName(L"Release", self).c_str());
  std::wstring commandLine = L"\"" + ProgramPath() + L"\" " + kHoldArgument + L" " +
                             std::to_wstring(self) + L" \"" + path + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &m_child)) {
    return;
  }
  const HANDLE waits[] = {m_ready, m_child.hProcess};
  m_holding = ::WaitForMultipleObjects(2, waits, FALSE, kWaitMs) == WAIT_OBJECT_0;
}

FileHolder::~FileHolder() {
  if (m_release != nullptr) ::SetEvent(m_release);
  if (m_child.hProcess != nullptr) {
    ::WaitForSingleObject(m_child.hProcess, kWaitMs);
    ::CloseHandle(m_child.hThread);
    ::CloseHandle(m_child.hProcess);
  }
  if (m_ready != nullptr) ::CloseHandle(m_ready);
  if (m_release != nullptr) ::CloseHandle(m_release);
}

namespace {

// The child's side: <parent process id> <path>.
int HoldFile(const std::vector<std::wstring>& arguments) {
  if (arguments.size() < 2) return 2;
  const DWORD parent = static_cast<DWORD>(std::stoul(arguments[0]));
  const HANDLE file = ::CreateFileW(arguments[1].c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 3;
  const HANDLE ready = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, EventName(L"Ready", parent).c_str());
  const HANDLE release = ::OpenEventW(SYNCHRONIZE, FALSE, EventName(L"Release", parent).c_str());
  if (ready != nullptr) ::SetEvent(ready);
  if (release != nullptr) ::WaitForSingleObject(release, kWaitMs);
  ::CloseHandle(file);
  if (ready != nullptr) ::CloseHandle(ready);
  if (release != nullptr) ::CloseHandle(release);
  return 0;
}

const bool kHoldRoleRegistered = RegisterChildRole(kHoldArgument, &HoldFile);

}  // namespace
}  // namespace icotrace::e2e
