#include "demo_desktop_process.h"

#include "demo_protocol.h"
#include "e2e_environment.h"
#include "e2e_test.h"

namespace icotrace::e2e {
namespace {

constexpr DWORD kMessageTimeoutMs = 10000;
// A demo desktop closes in well under a second unless it was told to hang.
constexpr DWORD kCloseGraceMs = 3000;

void ExpectStarted(const RunningProgram& program, const std::wstring& executable) {
  if (!program.Started())
    throw E2eError("cannot start " + Utf8(executable) + " (error " +
                   std::to_string(program.StartError()) + ")");
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
                                       const std::vector<std::wstring>& arguments, DWORD timeoutMs)
    : m_program(executable, arguments, timeoutMs) {
  ExpectStarted(m_program, executable);
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while ((m_progman = ProgmanOf(m_program.ProcessId())) == nullptr) {
    if (Exited(0) || GetTickCount64() > deadline) {
      const bool ended = Exited(0);
      const DWORD code = Stop();
      throw E2eError(ended ? "the demo desktop ended at start with code " + std::to_string(code)
                           : "the demo desktop did not show its window in time");
    }
    Sleep(50);
  }
}

DemoDesktopProcess::~DemoDesktopProcess() {
  Stop();
}

HWND DemoDesktopProcess::ListView() const {
  return FindWindowExW(FindWindowExW(m_progman, nullptr, nullptr, nullptr), nullptr, nullptr,
                       nullptr);
}

std::vector<demo::DemoItem> DemoDesktopProcess::Truth() const {
  static int s_dumps = 0;
  const std::wstring path = E2eDirectory() + L"\\truth-" + std::to_wstring(ProcessId()) + L"-" +
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
  const std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) throw E2eError("cannot open " + Utf8(path));
  DeleteFileW(path.c_str());
  return demo::ParseItemFile(*bytes);
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
  return m_program.Ended(waitMs);
}

void DemoDesktopProcess::Crash() {
  PostMessageW(m_progman, RegisterWindowMessageW(demo::kCrashMessage), 0, 0);
  if (!m_program.Ended(5000)) m_program.Terminate();
}

DWORD DemoDesktopProcess::Stop() {
  if (!Exited(0)) {
    if (m_progman != nullptr) PostMessageW(m_progman, WM_CLOSE, 0, 0);
    if (m_progman == nullptr || !Exited(kCloseGraceMs)) m_program.Terminate();
  }
  return m_program.ExitCode();
}

ExitResult RunDemoDesktopToExit(const std::wstring& executable,
                                const std::vector<std::wstring>& arguments, DWORD timeoutMs) {
  // It is not waited for until idle: it may end before it ever takes input.
  RunningProgram program(executable, arguments, 0);
  ExpectStarted(program, executable);
  ExitResult result;
  result.Exited = program.Ended(timeoutMs);
  if (!result.Exited) program.Terminate();
  result.Code = program.ExitCode();
  return result;
}

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
  const UniqueKernelHandle file(CreateFileW(
      path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  DWORD read = 0;
  while (ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
    bytes.append(buffer, read);
  return bytes;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  const UniqueKernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  const bool ok =
      file &&
      WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size();
  if (!ok) throw E2eError("cannot write " + Utf8(path));
}

}  // namespace icotrace::e2e
