// A program started for a check (Icotrace.exe, a demo desktop), and ended at
// the latest when the check is done with it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win/handles.h"

namespace icotrace::e2e {

class RunningProgram {
 public:
  // Starts path with arguments (each quoted) and waits up to idleMs until it
  // takes input. Started() tells whether it could be started.
  RunningProgram(const std::wstring& path, const std::vector<std::wstring>& arguments,
                 DWORD idleMs);
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;
  // Ends the program if it still runs.
  ~RunningProgram();

  bool Started() const { return static_cast<bool>(m_process); }
  // Why it could not be started (GetLastError of the start).
  DWORD StartError() const { return m_startError; }
  DWORD ProcessId() const { return m_processId; }
  // True when the process has ended (waiting up to waitMs).
  bool Ended(DWORD waitMs = 0) const;
  // Its exit code; STILL_ACTIVE while it runs.
  DWORD ExitCode() const;
  // True when the program ended within timeoutMs; exitCode receives its code.
  bool WaitForExit(DWORD timeoutMs, DWORD& exitCode) const;
  // Ends it now if it still runs, and waits up to 5 s for it to go.
  void Terminate();

 private:
  UniqueKernelHandle m_process;
  DWORD m_processId = 0;
  DWORD m_startError = ERROR_SUCCESS;
};

}  // namespace icotrace::e2e
