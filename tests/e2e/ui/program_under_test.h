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

// A copy of the program (with the libraries beside it) in a folder of the
// check's own, holding no layout file: a layout saved beside the built
// program, by a person's run for instance, would change the start the
// checks expect. The original path when the copy fails.
std::wstring PrivateCopyOf(const std::wstring& program);

// A path as Windows sees it: a Unix path from the build is on drive Z: under Wine.
std::wstring WindowsPath(std::wstring path);

}  // namespace icotrace::e2e
