#include "demo_desktop_process.h"

#include "demo_protocol.h"
#include "e2e_check.h"
#include "e2e_environment.h"

namespace icotrace::e2e {
namespace {

constexpr DWORD kMessageTimeoutMs = 10000;
// A demo desktop closes in well under a second unless it was told to hang.
constexpr DWORD kCloseGraceMs = 3000;

std::wstring CommandLine(const std::wstring& executable,
                         const std::vector<std::wstring>& arguments) {
  std::wstring line = L"\"" + executable + L"\"";
  for (const std::wstring& argument : arguments) line += L" \"" + argument + L"\"";
  return line;
}

PROCESS_INFORMATION Launch(const std::wstring& executable,
                           const std::vector<std::wstring>& arguments) {
  std::wstring line = CommandLine(executable, arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(executable.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    throw E2eError("cannot start " + Utf8(executable) + " (error " +
                   std::to_string(GetLastError()) + ")");
  }
  CloseHandle(info.hThread);
  return info;
}

// The visible top-level "Progman" window of that process, or null.
HWND ProgmanOf(DWORD processId) {
  for (HWND window = FindWindowExW(nullptr, nullptr, L"Progman", nullptr); window != nullptr;
       window = FindWindowExW(nullptr, window, L"Progman", nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

}  // namespace

DemoDesktopProcess::DemoDesktopProcess(const std::wstring& executable,
                                       const std::vector<std::wstring>& arguments,
                                       DWORD timeoutMs) {
  const PROCESS_INFORMATION info = Launch(executable, arguments);
  m_process = info.hProcess;
  m_processId = info.dwProcessId;
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  WaitForInputIdle(m_process, timeoutMs);
  while ((m_progman = ProgmanOf(m_processId)) == nullptr) {
    if (Exited(0) || GetTickCount64() > deadline) {
      const bool ended = Exited(0);
      const DWORD code = Stop();
      CloseHandle(m_process);
      throw E2eError(ended ? "the demo desktop ended at start with code " + std::to_string(code)
                           : "the demo desktop did not show its window in time");
    }
    Sleep(50);
  }
}

DemoDesktopProcess::~DemoDesktopProcess() {
  Stop();
  CloseHandle(m_process);
}

HWND DemoDesktopProcess::ListView() const {
  return FindWindowExW(FindWindowExW(m_progman, nullptr, nullptr, nullptr), nullptr, nullptr,
                       nullptr);
}

std::vector<demo::DemoItem> DemoDesktopProcess::Truth() const {
  static int s_dumps = 0;
  const std::wstring path = E2eDirectory() + L"\\truth-" + std::to_wstring(m_processId) + L"-" +
                            std::to_wstring(++s_dumps) + L".txt";
  COPYDATASTRUCT data{};
  data.dwData = demo::kDumpRequest;
  data.cbData = static_cast<DWORD>(path.size() * sizeof(wchar_t));
  data.lpData = const_cast<wchar_t*>(path.data());
  DWORD_PTR written = 0;
  if (!SendMessageTimeoutW(m_progman, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                           SMTO_ABORTIFHUNG, kMessageTimeoutMs, &written) ||
      written != 1) {
    throw E2eError("the demo desktop did not write its items");
  }
  const std::string bytes = ReadFileBytes(path);
  DeleteFileW(path.c_str());
  return demo::ParseItemFile(bytes);
}

std::int32_t DemoDesktopProcess::Scramble(std::uint32_t seed) const {
  DWORD_PTR moved = 0;
  if (!SendMessageTimeoutW(m_progman, RegisterWindowMessageW(demo::kScrambleMessage), seed, 0,
                           SMTO_ABORTIFHUNG, kMessageTimeoutMs, &moved)) {
    throw E2eError("the demo desktop did not scramble its items");
  }
  return static_cast<std::int32_t>(moved);
}

bool DemoDesktopProcess::Exited(DWORD waitMs) const {
  return WaitForSingleObject(m_process, waitMs) == WAIT_OBJECT_0;
}

DWORD DemoDesktopProcess::Stop() {
  if (!Exited(0)) {
    if (m_progman != nullptr) PostMessageW(m_progman, WM_CLOSE, 0, 0);
    if (m_progman == nullptr || !Exited(kCloseGraceMs)) {
      TerminateProcess(m_process, 1);
      Exited(5000);
    }
  }
  DWORD code = 0;
  GetExitCodeProcess(m_process, &code);
  return code;
}

ExitResult RunDemoDesktopToExit(const std::wstring& executable,
                                const std::vector<std::wstring>& arguments, DWORD timeoutMs) {
  const PROCESS_INFORMATION info = Launch(executable, arguments);
  ExitResult result;
  result.Exited = WaitForSingleObject(info.hProcess, timeoutMs) == WAIT_OBJECT_0;
  if (!result.Exited) {
    TerminateProcess(info.hProcess, 1);
    WaitForSingleObject(info.hProcess, 5000);
  }
  GetExitCodeProcess(info.hProcess, &result.Code);
  CloseHandle(info.hProcess);
  return result;
}

std::string ReadFileBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw E2eError("cannot open " + Utf8(path));
  std::string bytes;
  char buffer[65536];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
    bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  const bool ok =
      file != INVALID_HANDLE_VALUE &&
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size();
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (!ok) throw E2eError("cannot write " + Utf8(path));
}

}  // namespace icotrace::e2e
