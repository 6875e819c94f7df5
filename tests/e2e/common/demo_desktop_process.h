// A demo desktop (tools/demo-desktop) started by a check: its process, its
// windows, and the independent path to its items (the dump it writes of its
// own list view, never read through the code under test).
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "demo_items.h"
#include "running_program.h"

namespace icotrace::e2e {

class E2eError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class DemoDesktopProcess {
 public:
  // Starts the demo desktop and waits until its "Progman" window is up and
  // its thread idle. Throws E2eError when it does not come up in time.
  DemoDesktopProcess(const std::wstring& executable, const std::vector<std::wstring>& arguments,
                     DWORD timeoutMs = 20000);
  ~DemoDesktopProcess();
  DemoDesktopProcess(const DemoDesktopProcess&) = delete;
  DemoDesktopProcess& operator=(const DemoDesktopProcess&) = delete;

  HWND Progman() const { return m_progman; }
  // Its list view: the first child of Progman's first child (not in the
  // WorkerW layout).
  HWND ListView() const;
  DWORD ProcessId() const { return m_program.ProcessId(); }

  // The items as the demo desktop's own list view holds them, in its order.
  std::vector<demo::DemoItem> Truth() const;
  // Moves every item elsewhere; the number moved.
  std::int32_t Scramble(std::uint32_t seed = 0) const;

  // True when the process has ended (waiting up to waitMs).
  bool Exited(DWORD waitMs = 0) const;
  // Asks it to close, ends it after a grace period; its exit code.
  DWORD Stop();
  // Has it end at once, as a crash does: nothing of it runs to its end.
  void Crash();

 private:
  RunningProgram m_program;
  HWND m_progman = nullptr;
};

// Runs a demo desktop that is expected to end by itself (a refusal, a bad
// argument); its exit code, or nothing when it was still running after
// timeoutMs (it is then ended).
struct ExitResult {
  bool Exited = false;
  DWORD Code = 0;
};
ExitResult RunDemoDesktopToExit(const std::wstring& executable,
                                const std::vector<std::wstring>& arguments, DWORD timeoutMs);

// Writes bytes to a file whole (for item files); throws E2eError.
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
// A file's bytes, read while others may hold it open; nothing when it cannot
// be opened.
std::optional<std::string> ReadFileBytes(const std::wstring& path);

}  // namespace icotrace::e2e
