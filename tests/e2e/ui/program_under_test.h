// Icotrace.exe started for one run of checks, and stopped at the latest when
// the run is over.
#pragma once

#include <windows.h>

#include <string>

namespace icotrace::e2e {

class ProgramUnderTest {
 public:
  explicit ProgramUnderTest(const std::wstring& path);
  ProgramUnderTest(const ProgramUnderTest&) = delete;
  ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;
  ~ProgramUnderTest();

  bool Started() const { return m_process.hProcess != nullptr; }
  DWORD ProcessId() const { return m_process.dwProcessId; }
  // True when the program ended within the time; exitCode receives its code.
  bool WaitForExit(DWORD timeoutMs, DWORD& exitCode);

 private:
  PROCESS_INFORMATION m_process{};
};

}  // namespace icotrace::e2e
